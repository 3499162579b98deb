#pragma once
// Where the windowing layer finds the program's resources: dialog templates,
// menus, icons and bitmaps by number. The program installs its module once at
// start-up (tests install the same one).

#include <QIcon>
#include <QPixmap>

#include "framework/DialogTemplate.h"

namespace framework {

class TResourceModule {
public:
    virtual ~TResourceModule() = default;
    // Nullptr when there is no such resource.
    virtual const DialogTemplate* FindDialog(int id) const = 0;
    virtual const MenuTemplate* FindMenu(int id) const = 0;
    // Null icon / pixmap when there is no such resource.
    virtual QIcon LoadIcon(int id) const = 0;
    virtual QPixmap LoadBitmap(int id) const = 0;
};

void SetResourceModule(const TResourceModule* module);
// The installed module. REQUIRES: SetResourceModule was called.
const TResourceModule& Resources();

}  // namespace framework
