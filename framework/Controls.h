#pragma once
// Wrappers for the controls of a dialog, bound by control id. A dialog owns
// wrappers only for the controls it reads or writes. Texts are Windows-1252
// bytes; a line break in a multi-line box reads as CR LF.

#include <string>
#include <string_view>
#include <vector>

class QWidget;
class QAbstractButton;
class QListView;

namespace framework {

class TDialog;
class TFrameWindow;

class TControl {
public:
    // REQUIRES: the dialog's template has a control with this id.
    TControl(TDialog* parent, int id);
    virtual ~TControl() = default;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    int Id() const { return id_; }
    QWidget* Widget() const { return widget_; }
    void Show(bool visible);
    bool IsVisible() const;
    void Enable(bool enabled);
    // The name assistive tools announce for the control (Windows-1252 bytes),
    // in place of the template's.
    void SetAccessibleName(std::string_view name);

protected:
    TControl(int id, QWidget* widget) : id_(id), widget_(widget) {}
    int id_;
    QWidget* widget_;
};

class TStatic : public TControl {
public:
    TStatic(TDialog* parent, int id) : TControl(parent, id) {}
    void SetText(std::string_view text);
    std::string GetText() const;
};

class TEdit : public TControl {
public:
    // textLimit counts the terminating NUL, as the stored fields do: a limit
    // of 500 lets the box hold 499 bytes. 0 sets no limit.
    TEdit(TDialog* parent, int id, int textLimit = 0);
    void SetTextLimit(int textLimit);
    // The whole text.
    std::string GetText() const;
    // At most maxBytes bytes of the text (a cut never splits CR LF from the
    // count's point of view: the bytes are taken as stored).
    std::string GetText(std::size_t maxBytes) const;
    // Sets the text as the program does (no limit applies).
    void SetText(std::string_view text);
};

class TButton : public TControl {
public:
    TButton(TDialog* parent, int id) : TControl(parent, id) {}
    // A push button child of a frame window's client area, in pixels. It
    // sends id to the window when clicked.
    TButton(TFrameWindow* parent, int id, std::string_view text, int x, int y, int width,
            int height, bool isDefault);
    void Click();
};

class TCheckBox : public TControl {
public:
    TCheckBox(TDialog* parent, int id) : TControl(parent, id) {}
    bool IsChecked() const;
    // Sets the state without a click (no command is sent).
    void SetCheck(bool checked);
    // Clicks the box as the user does (toggles it and sends its id).
    void Click();

protected:
    QAbstractButton* Button() const;
};

class TRadioButton : public TCheckBox {
public:
    TRadioButton(TDialog* parent, int id) : TCheckBox(parent, id) {}
    // Checking unchecks the rest of the group; unchecking leaves it as it is.
    void SetCheck(bool checked);
};

class ListLinesModel;

// A list of lines (a view over one buffer of lines, see ListLinesModel).
class TListBox : public TControl {
public:
    TListBox(TDialog* parent, int id) : TControl(parent, id) {}
    void ClearList();
    // Adds a line at the end (the list is unsorted); returns its index.
    int AddString(std::string_view line);
    // Adds many lines at the end in one batch.
    void AddStrings(const std::vector<std::string>& lines);
    // Removes count lines from index first on; the other lines keep their
    // order, and the list keeps its scroll position. When the selected line
    // is among them, no line is selected afterwards.
    void DeleteStrings(int first, int count);
    int GetCount() const;
    std::string GetString(int index) const;
    // The same without a copy, valid until the list changes.
    std::string_view Line(int index) const;
    // Index of the selected line, or -1.
    int GetSelIndex() const;
    void SetSelIndex(int index);
    // Tab stops in dialog units of the dialog's font.
    void SetTabStops(const std::vector<int>& dialogUnits);

private:
    QListView* List() const;
    ListLinesModel* Lines() const;
};

}  // namespace framework
