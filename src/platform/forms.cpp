#include "platform/forms.h"

#include <map>

#include "platform/application.h"
#include "platform/backend.h"
#include "platform/exception.h"
#include "platform/menus.h"

namespace vcl {

namespace {

// An identifier of a form description mapped to its enum value; an unknown
// one fails the load.
template <typename T>
T FromIdent(const std::map<std::string, T>& known, const std::string& ident, const char* what) {
    auto it = known.find(ident);
    if (it == known.end()) throw Exception(std::string("Unknown ") + what + " " + ident);
    return it->second;
}

std::map<THandle, TForm*>& WindowHandles() {
    static std::map<THandle, TForm*> handles;
    return handles;
}
THandle nextWindowHandle = 0x100;
} // namespace

TForm::TForm() : TWinControl(nullptr) { SetVisible(false); }

TForm::~TForm() {
    if (HasBackend()) GetBackend().FormDestroyed(*this);
    if (handle_) WindowHandles().erase(handle_);
}

THandle TForm::Handle() {
    if (!handle_) {
        handle_ = nextWindowHandle++;
        WindowHandles()[handle_] = this;
    }
    return handle_;
}

TForm* TForm::FromHandle(THandle handle) {
    auto it = WindowHandles().find(handle);
    return it == WindowHandles().end() ? nullptr : it->second;
}

void TForm::SetClientSize(int w, int h) {
    clientWidth_ = w;
    clientHeight_ = h;
    Changed();
}

void TForm::Show() {
    SetVisible(true);
    GetBackend().FormShow(*this);
    if (OnShow) OnShow(this);
}

void TForm::Hide() {
    if (!Visible()) return;
    SetVisible(false);
    GetBackend().FormHide(*this);
    if (OnHide) OnHide(this);
}

void TForm::BringToFront() {
    if (Visible()) GetBackend().FormBringToFront(*this);
}

void TForm::Close() {
    if (modal_) SetModalResult(mrCancel);
    else if (Application && Application->MainForm() == this) Application->Terminate();
    else Hide();
}

int TForm::ShowModal() {
    if (Visible() || modal_) throw EInvalidOperation("Cannot make a visible window modal");
    modal_ = true;
    modalResult_ = mrNone;
    try {
        Show();
        GetBackend().RunModalLoop(*this);
    } catch (...) {
        modal_ = false;
        Hide();
        throw;
    }
    modal_ = false;
    Hide();
    return modalResult_;
}

void TForm::SetModalResult(int r) {
    modalResult_ = r;
    GetBackend().WakeLoops();
}

void TForm::WndProc(TMessage&) {}

LRESULT TForm::Perform(unsigned msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    WndProc(m);
    return m.Result;
}

void TForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TForm::ContextPopup(int screenX, int screenY) {
    if (popupMenu_ && popupMenu_->AutoPopup) popupMenu_->Popup(screenX, screenY);
}

void TForm::SetProperty(const std::string& name, const DfmValue& value) {
    if (name == "ClientWidth") clientWidth_ = value.AsInt(name);
    else if (name == "ClientHeight") clientHeight_ = value.AsInt(name);
    else if (name == "BorderStyle") {
        static const std::map<std::string, TFormBorderStyle> styles = {
            {"bsNone", TFormBorderStyle::None},         {"bsSingle", TFormBorderStyle::Single},
            {"bsSizeable", TFormBorderStyle::Sizeable}, {"bsDialog", TFormBorderStyle::Dialog},
            {"bsToolWindow", TFormBorderStyle::ToolWindow}, {"bsSizeToolWin", TFormBorderStyle::SizeToolWin}};
        borderStyle_ = FromIdent(styles, value.AsIdent(name), "border style");
    } else if (name == "BorderIcons") {
        static const std::map<std::string, TBorderIcon> icons = {
            {"biSystemMenu", TBorderIcon::SystemMenu}, {"biMinimize", TBorderIcon::Minimize},
            {"biMaximize", TBorderIcon::Maximize},     {"biHelp", TBorderIcon::Help}};
        borderIcons_.clear();
        for (const std::string& s : value.AsSet(name)) borderIcons_.insert(FromIdent(icons, s, "border icon"));
    } else if (name == "Position") {
        static const std::map<std::string, TPosition> positions = {
            {"poDesigned", TPosition::Designed},         {"poDefault", TPosition::Default},
            {"poDefaultPosOnly", TPosition::DefaultPosOnly}, {"poDefaultSizeOnly", TPosition::DefaultSizeOnly},
            {"poScreenCenter", TPosition::ScreenCenter}, {"poDesktopCenter", TPosition::DesktopCenter}};
        position_ = FromIdent(positions, value.AsIdent(name), "position");
    } else if (name == "PopupMenu") popupMenuName_ = value.AsIdent(name);
    else if (name == "Color") ColorFromIdent(value.AsIdent(name));
    else if (name == "PixelsPerInch" || name == "TextHeight") value.AsInt(name); // design scale: fixed 96 dpi
    else if (name == "OldCreateOrder" || name == "Scaled" || name == "HorzScrollBar.Visible") value.AsBool(name);
    else TWinControl::SetProperty(name, value);
}

TNotifyEvent* TForm::EventSlot(const std::string& name) {
    if (name == "OnCreate") return &OnCreate;
    if (name == "OnDestroy") return &OnDestroy;
    if (name == "OnShow") return &OnShow;
    if (name == "OnHide") return &OnHide;
    if (name == "OnActivate") return &OnActivate;
    return TWinControl::EventSlot(name);
}

void TForm::Loaded() {
    if (!popupMenuName_.empty()) {
        popupMenu_ = dynamic_cast<TPopupMenu*>(FindComponent(popupMenuName_));
        if (!popupMenu_) throw Exception("Unknown popup menu " + popupMenuName_);
    }
}

void TForm::ApplyProperties(TComponent* target, const DfmObject& obj, FormBinding& binding) {
    for (const auto& [name, value] : obj.properties) {
        if (name.rfind("On", 0) == 0 && value.kind == DfmValue::Kind::Ident) {
            TNotifyEvent* slot = target->EventSlot(name);
            if (!slot) throw Exception("Unknown event " + name + " of " + obj.name);
            auto it = binding.handlers_.find(value.text);
            if (it == binding.handlers_.end()) throw Exception("Unknown handler " + value.text);
            *slot = it->second;
        } else {
            target->SetProperty(name, value);
        }
    }
}

void TForm::LoadChildren(const DfmObject& obj, TComponent* parent, FormBinding& binding,
                         std::set<std::string>& seen) {
    for (const DfmObject& child : obj.children) {
        TComponent* c = CreateComponentByClass(child.className, this).release(); // owned by the form
        c->Name = child.name;
        parent->AddChild(c);
        ApplyProperties(c, child, binding);
        auto member = binding.members_.find(child.name);
        if (member == binding.members_.end()) throw Exception("Unknown component " + child.name);
        if (!seen.insert(child.name).second) throw Exception("Duplicate component " + child.name);
        member->second(c);
        LoadChildren(child, c, binding, seen);
    }
}

void TForm::LoadFromDescription(std::string_view description) {
    DfmObject root = ParseDfm(description);
    Name = root.name;
    FormBinding binding;
    Bind(binding);
    ApplyProperties(this, root, binding);
    std::set<std::string> seen;
    LoadChildren(root, this, binding, seen);
    for (const auto& [name, bind] : binding.members_)
        if (!seen.count(name)) throw Exception("Component " + name + " missing from the description of " + Name);
    for (TComponent* c : Components()) c->Loaded();
    Loaded();
}

} // namespace vcl
