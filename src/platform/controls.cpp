#include "platform/controls.h"

#include <algorithm>

#include "platform/backend.h"
#include "platform/dfmreader.h"
#include "platform/exception.h"
#include "platform/forms.h"

namespace vcl {

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() { SetParent(nullptr); }

void TControl::Changed() {
    if (HasBackend()) GetBackend().ControlChanged(*this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Changed();
}

void TControl::SetCaption(const std::string& text) {
    if (text == caption_) return;
    caption_ = text;
    Changed();
}

void TControl::SetVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    Changed();
}

void TControl::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    Changed();
}

void TControl::SetHint(const std::string& v) {
    hint_ = v;
    Changed();
}

std::string TControl::ShortHint() const { return hint_.substr(0, hint_.find('|')); }

const TFont& TControl::Font() const {
    if (parentFont_ && parent_) return parent_->Font();
    return font_;
}

void TControl::SetFont(const TFont& f) {
    font_ = f;
    parentFont_ = false;
    Changed();
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent_) {
        auto& list = parent_->controls_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    parent_ = parent;
    if (parent_) parent_->controls_.push_back(this);
}

TForm* TControl::ParentForm() const {
    const TControl* c = this;
    while (c->parent_) c = c->parent_;
    return const_cast<TForm*>(dynamic_cast<const TForm*>(c));
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::SetProperty(const std::string& name, const DfmValue& value) {
    if (name == "Left") left_ = value.AsInt(name);
    else if (name == "Top") top_ = value.AsInt(name);
    else if (name == "Width") width_ = value.AsInt(name);
    else if (name == "Height") height_ = value.AsInt(name);
    else if (name == "Caption" || name == "Text") caption_ = value.AsString(name);
    else if (name == "Visible") visible_ = value.AsBool(name);
    else if (name == "Enabled") enabled_ = value.AsBool(name);
    else if (name == "Hint") hint_ = value.AsString(name);
    else if (name == "ShowHint") {
        showHint_ = value.AsBool(name);
        parentShowHint_ = false;
    } else if (name == "ParentShowHint") parentShowHint_ = value.AsBool(name);
    else if (name == "TabOrder") tabOrder_ = value.AsInt(name);
    else if (name == "ParentFont") parentFont_ = value.AsBool(name);
    else if (name == "Cursor") {
        const std::string& c = value.AsIdent(name);
        if (c == "crHandPoint") cursor_ = TCursor::HandPoint;
        else if (c == "crDefault") cursor_ = TCursor::Default;
        else throw Exception("Unknown cursor " + c);
    } else if (font_.SetProperty(name, value)) parentFont_ = false;
    else TComponent::SetProperty(name, value);
}

TNotifyEvent* TControl::EventSlot(const std::string& name) {
    if (name == "OnClick") return &OnClick;
    if (name == "OnDblClick") return &OnDblClick;
    return TComponent::EventSlot(name);
}

TWinControl::~TWinControl() {
    for (TControl* c : controls_) c->parent_ = nullptr;
}

void TWinControl::AddChild(TComponent* child) {
    if (auto* control = dynamic_cast<TControl*>(child)) control->SetParent(this);
}

} // namespace vcl
