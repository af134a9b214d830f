#include "Menu_win.h"

#include <map>
#include <utility>

namespace kurvix::ui {

namespace {

// Command ids of live items, and the items behind open-able sub-menus.
std::map<unsigned, MenuItem*>& ItemsById() {
    static std::map<unsigned, MenuItem*> items;
    return items;
}
std::map<HMENU, MenuItem*>& ItemsBySubMenu() {
    static std::map<HMENU, MenuItem*> items;
    return items;
}

unsigned NextId() {
    static unsigned next = 0x1000; // above the dialog command ids (IDOK, IDCANCEL, ...)
    return next++;
}

} // namespace

MenuItem::MenuItem(std::string caption) : caption_(std::move(caption)), id_(NextId()) {
    ItemsById()[id_] = this;
}

MenuItem::~MenuItem() {
    ItemsById().erase(id_);
    if (subMenu_)
        ItemsBySubMenu().erase(subMenu_);
}

void MenuItem::Add(MenuItem& child) { children_.push_back(&child); }

void MenuItem::SetChecked(bool checked) {
    checked_ = checked;
    ApplyState();
}

void MenuItem::SetDefault(bool isDefault) {
    default_ = isDefault;
    ApplyState();
}

void MenuItem::Click() {
    if (OnClick)
        OnClick();
}

bool MenuItem::Dispatch(unsigned id) {
    auto it = ItemsById().find(id);
    if (it == ItemsById().end())
        return false;
    it->second->Click();
    return true;
}

void MenuItem::DispatchOpen(HMENU menu) {
    auto it = ItemsBySubMenu().find(menu);
    if (it != ItemsBySubMenu().end())
        it->second->Click();
}

void MenuItem::AppendTo(HMENU parent) {
    parent_ = parent;
    if (caption_ == "-") {
        AppendMenuA(parent, MF_SEPARATOR, 0, nullptr);
        return;
    }
    if (children_.empty()) {
        AppendMenuA(parent, MF_STRING, id_, caption_.c_str());
    } else {
        subMenu_ = CreatePopupMenu();
        for (MenuItem* child : children_)
            child->AppendTo(subMenu_);
        ItemsBySubMenu()[subMenu_] = this;
        AppendMenuA(parent, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(subMenu_),
                    caption_.c_str());
    }
    ApplyState();
}

void MenuItem::ApplyState() {
    if (!parent_ || subMenu_)
        return;
    CheckMenuItem(parent_, id_, MF_BYCOMMAND | (checked_ ? MF_CHECKED : MF_UNCHECKED));
    if (default_)
        SetMenuDefaultItem(parent_, id_, FALSE);
    else if (GetMenuDefaultItem(parent_, FALSE, 0) == id_)
        SetMenuDefaultItem(parent_, static_cast<UINT>(-1), FALSE);
}

MenuItem* MenuTree::DefaultItem() const {
    for (MenuItem* item : items_)
        if (item->IsDefault())
            return item;
    return nullptr;
}

void MenuTree::Build(HMENU menu) {
    menu_.reset(menu);
    for (MenuItem* item : items_)
        item->AppendTo(menu);
}

MainMenu::~MainMenu() {
    if (window_ && IsWindow(window_) && GetMenu(window_) == menu_.get())
        SetMenu(window_, nullptr); // the window would otherwise free the menu a second time
}

void MainMenu::AttachTo(HWND window) {
    if (!menu_)
        Build(CreateMenu());
    window_ = window;
    SetMenu(window, menu_.get());
}

void PopupMenu::Popup(HWND owner, int x, int y) {
    if (!menu_)
        Build(CreatePopupMenu());
    // The owner must be the foreground window, or the menu does not close when the user
    // clicks elsewhere; WM_NULL afterwards lets the next click reach the menu's owner.
    SetForegroundWindow(owner);
    UINT id = TrackPopupMenu(menu_.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, x, y, 0,
                             owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    if (id)
        MenuItem::Dispatch(id);
}

} // namespace kurvix::ui
