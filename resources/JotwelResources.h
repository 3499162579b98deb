#pragma once
// The program's resources: menu 1, the dialog templates, icons 2 to 5 and
// bitmaps 1, 2 and 4.

#include "framework/ResourceModule.h"

namespace resources {

// The one module of the program, valid for the whole run.
const framework::TResourceModule& Module();

// The tables, one per group of dialogs (each file defines its own).
void AddMenus(std::vector<framework::MenuTemplate>& menus);
void AddSetupTemplates(std::vector<framework::DialogTemplate>& dialogs);
void AddHelpTemplates(std::vector<framework::DialogTemplate>& dialogs);
void AddEntryTemplates(std::vector<framework::DialogTemplate>& dialogs);
void AddReportTemplates(std::vector<framework::DialogTemplate>& dialogs);

}  // namespace resources
