#pragma once
// Visual controls: the state the system relies on lives here, a peer (when the
// control's form is on screen) mirrors it. Setters update the model first, then
// tell the backend; input comes back as the Do* calls, which fire the events.
#include <string>
#include <vector>

#include "platform/classes.h"
#include "platform/graphics.h"

namespace vcl {

class TWinControl;
class TForm;
class TPopupMenu;

enum class TCursor { Default, HandPoint };

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& text);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& v);
    // The part of the hint before "|" is the tool-tip.
    std::string ShortHint() const;
    bool ShowHint() const { return showHint_; }
    TCursor Cursor() const { return cursor_; }
    int TabOrder() const { return tabOrder_; }

    // The control's own font, or its parent's when ParentFont holds.
    const TFont& Font() const;
    bool ParentFont() const { return parentFont_; }
    void SetFont(const TFont& f);

    TWinControl* Parent() const { return parent_; }
    void SetParent(TWinControl* parent);
    TForm* ParentForm() const;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;

    // A person's input, as reported by a peer.
    virtual void Click();
    void DblClick();

    void SetProperty(const std::string& name, const DfmValue& value) override;
    TNotifyEvent* EventSlot(const std::string& name) override;

protected:
    void Changed(); // tells the backend that the control's state moved

private:
    friend class TWinControl;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    std::string caption_;
    bool visible_ = true;
    bool enabled_ = true;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TCursor cursor_ = TCursor::Default;
    int tabOrder_ = -1;
    TFont font_;
    bool parentFont_ = true;
    TWinControl* parent_ = nullptr;
};

class TWinControl : public TControl {
public:
    using TControl::TControl;
    ~TWinControl() override;
    const std::vector<TControl*>& Controls() const { return controls_; }
    void AddChild(TComponent* child) override;

private:
    friend class TControl;
    std::vector<TControl*> controls_; // children in description order (not owned)
};

} // namespace vcl
