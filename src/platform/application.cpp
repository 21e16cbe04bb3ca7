#include "platform/application.h"

#include "platform/backend.h"

namespace vcl {

TApplication* Application = nullptr;

TApplication::TApplication() : TComponent(nullptr) { Application = this; }

TApplication::~TApplication() {
    DestroyForms();
    if (Application == this) Application = nullptr;
}

void TApplication::AdoptForm(std::unique_ptr<TForm> form, std::string_view description, TForm** ref) {
    TForm* f = form.get();
    owned_.push_back(std::move(form));
    forms_.push_back(f);
    refs_.push_back(ref);
    if (!mainForm_) mainForm_ = f;
    f->LoadFromDescription(description);
    // A creation handler's error is shown and start-up goes on with the next form.
    if (f->OnCreate) SafeCall([f] { f->OnCreate(f); });
}

void TApplication::Run() {
    if (mainForm_ && !terminated_) {
        SafeCall([this] { mainForm_->Show(); });
        if (!terminated_) GetBackend().RunMainLoop();
    }
    DestroyForms();
}

void TApplication::Terminate() {
    terminated_ = true;
    if (HasBackend()) GetBackend().WakeLoops();
}

void TApplication::DestroyForms() {
    while (!owned_.empty()) {
        TForm* f = owned_.back().get();
        if (f->OnDestroy) SafeCall([f] { f->OnDestroy(f); });
        owned_.pop_back();
        forms_.pop_back();
        *refs_.back() = nullptr;
        refs_.pop_back();
    }
    mainForm_ = nullptr;
}

void TApplication::SafeCall(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const std::exception& e) {
        HandleException(e);
    }
}

void TApplication::HandleException(const std::exception& e) {
    GetBackend().ShowErrorBox(Title, ErrorBoxText(e.what()));
}

std::string TApplication::ErrorBoxText(const std::string& message) {
    std::string text = message;
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
    return text;
}

} // namespace vcl
