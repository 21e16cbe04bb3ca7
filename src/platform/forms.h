#pragma once
// Forms: top-level windows whose layout comes from a form description, whose
// components are bound to the form class's members by name and whose events
// are bound to its handlers through the class's binding table.
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "platform/controls.h"
#include "platform/dfmreader.h"
#include "platform/exception.h"

namespace vcl {

class TPopupMenu;
class TForm;

enum class TFormBorderStyle { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWin };
enum class TBorderIcon { SystemMenu, Minimize, Maximize, Help };
enum class TPosition { Designed, Default, DefaultPosOnly, DefaultSizeOnly, ScreenCenter, DesktopCenter };

// What a form class declares about itself: its components and its handlers.
class FormBinding {
public:
    template <class T>
    void Component(const std::string& name, T*& member) {
        members_[name] = [&member, name](TComponent* c) {
            member = dynamic_cast<T*>(c);
            if (!member) throw Exception("Component " + name + " has the wrong class");
        };
    }
    template <class F>
    void Handler(const std::string& name, F* form, void (F::*method)(TObject*)) {
        handlers_[name] = [form, method](TObject* sender) { (form->*method)(sender); };
    }

private:
    friend class TForm;
    std::map<std::string, std::function<void(TComponent*)>> members_;
    std::map<std::string, TNotifyEvent> handlers_;
};

class TForm : public TWinControl {
public:
    TForm();
    ~TForm() override;

    // Builds the form from its description: components, properties, members,
    // events. Unknown classes, properties, components or handlers are errors.
    void LoadFromDescription(std::string_view description);

    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }
    void SetClientSize(int w, int h);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    bool HasBorderIcon(TBorderIcon icon) const { return borderIcons_.count(icon) != 0; }
    TPosition Position() const { return position_; }
    TPopupMenu* PopupMenu() const { return popupMenu_; }

    // The window handle; created on first use, as the platform does.
    THandle Handle();
    bool HandleAllocated() const { return handle_ != 0; }
    static TForm* FromHandle(THandle handle);

    void Show();
    void Hide();
    // Ends a modal showing with mrCancel; closing the main form ends the program.
    void Close();
    // Shows the form and returns when it is closed; a visible form cannot.
    int ShowModal();
    bool Modal() const { return modal_; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int r);
    void BringToFront();

    // Message dispatch; a form class overrides it to take messages of its own
    // and passes the rest on.
    virtual void WndProc(TMessage& message);
    LRESULT Perform(unsigned msg, WPARAM wParam, LPARAM lParam);

    // Whether the window has been on screen before (later showings keep their place).
    bool ShownBefore() const { return shownBefore_; }
    void MarkShown() { shownBefore_ = true; }

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;

    // The window became active (reported by the peer or by Show).
    void Activate();
    // A right click inside the window: the context menu pops up there.
    void ContextPopup(int screenX, int screenY);

    void SetProperty(const std::string& name, const DfmValue& value) override;
    TNotifyEvent* EventSlot(const std::string& name) override;
    void Loaded() override;

protected:
    virtual void Bind(FormBinding&) {}

private:
    void LoadChildren(const DfmObject& obj, TComponent* parent, FormBinding& binding,
                      std::set<std::string>& seen);
    void ApplyProperties(TComponent* target, const DfmObject& obj, FormBinding& binding);

    int clientWidth_ = 0, clientHeight_ = 0;
    TFormBorderStyle borderStyle_ = TFormBorderStyle::Sizeable;
    std::set<TBorderIcon> borderIcons_{TBorderIcon::SystemMenu, TBorderIcon::Minimize, TBorderIcon::Maximize};
    TPosition position_ = TPosition::Designed;
    TPopupMenu* popupMenu_ = nullptr;
    std::string popupMenuName_;
    THandle handle_ = 0;
    bool modal_ = false;
    int modalResult_ = mrNone;
    bool shownBefore_ = false;
};

} // namespace vcl
