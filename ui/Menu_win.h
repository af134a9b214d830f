// Main menus and pop-up menus. Items are members of their form and are linked into a menu
// tree with Add; the Win32 menus are built once the tree is complete. The caption "-" makes a
// separator. An item with sub-items fires OnClick when its sub-menu opens.
#pragma once

#include "Handles_win.h"

#include <functional>
#include <string>
#include <vector>

namespace kurvix::ui {

class MenuItem {
  public:
    explicit MenuItem(std::string caption);
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    void Add(MenuItem& child);

    const std::string& Caption() const { return caption_; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool IsDefault() const { return default_; }
    void SetDefault(bool isDefault);
    unsigned Id() const { return id_; }
    void Click();

    std::function<void()> OnClick;

    // Runs the item with command `id`; false when no item has that id.
    static bool Dispatch(unsigned id);
    // Fires OnClick of the item whose sub-menu `menu` is about to open.
    static void DispatchOpen(HMENU menu);

  private:
    friend class MenuTree;
    void AppendTo(HMENU parent);
    void ApplyState();

    std::string caption_;
    unsigned id_;
    bool checked_ = false;
    bool default_ = false;
    std::vector<MenuItem*> children_;
    HMENU parent_ = nullptr;  // the Win32 menu this item stands in, once built
    HMENU subMenu_ = nullptr; // its own sub-menu, owned by parent_
};

// The top level of a menu: the items and the Win32 menu that holds them.
class MenuTree {
  public:
    MenuTree(const MenuTree&) = delete;
    MenuTree& operator=(const MenuTree&) = delete;
    void Add(MenuItem& item) { items_.push_back(&item); }
    HMENU Handle() const { return menu_.get(); }
    MenuItem* DefaultItem() const;

  protected:
    MenuTree() = default;
    ~MenuTree() = default;
    void Build(HMENU menu);

    std::vector<MenuItem*> items_;
    MenuHandle menu_;
};

// A form's menu bar; Form::SetMenu builds and attaches it.
class MainMenu : public MenuTree {
  public:
    MainMenu() = default;
    ~MainMenu();
    void AttachTo(HWND window);

  private:
    HWND window_ = nullptr;
};

// A menu shown at a point of the screen.
class PopupMenu : public MenuTree {
  public:
    PopupMenu() = default;
    // Shows the menu with its top-left corner at screen point (x, y), owned by `owner`, and
    // runs the chosen item after the menu has closed.
    void Popup(HWND owner, int x, int y);
};

} // namespace kurvix::ui
