#pragma once
// Popup menus and their items.
#include <string>
#include <vector>

#include "platform/classes.h"

namespace vcl {

class TMenuItem : public TComponent {
public:
    using TComponent::TComponent;
    std::string Caption;
    bool Visible = true;
    bool Enabled = true;
    bool Checked = false;
    TNotifyEvent OnClick;

    bool IsSeparator() const { return Caption == "-"; }
    const std::vector<TMenuItem*>& Items() const { return items_; }
    void Add(TMenuItem* item);
    // The item was chosen: fires OnClick.
    void Click();

    void SetProperty(const std::string& name, const DfmValue& value) override;
    TNotifyEvent* EventSlot(const std::string& name) override;
    void AddChild(TComponent* child) override;

private:
    std::vector<TMenuItem*> items_;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);
    TMenuItem& Items() { return root_; }
    const TMenuItem& Items() const { return root_; }
    bool AutoPopup = true;

    // Shows the menu with its left edge at the screen point and returns when it
    // is closed; the chosen item's OnClick then runs from the message loop.
    void Popup(int x, int y);

    void SetProperty(const std::string& name, const DfmValue& value) override;
    void AddChild(TComponent* child) override;

private:
    TMenuItem root_;
};

} // namespace vcl
