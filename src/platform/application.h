#pragma once
// The application object: title, the forms created in order, the main form,
// the message loop and the general error box.
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/resources.h"

namespace vcl {

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    void Initialize() {}
    std::string Title;

    // Creates a form of class T from its description resource, stores it in
    // `ref` before its creation handler runs; the first form is the main form.
    template <class T>
    void CreateForm(T*& ref) {
        auto form = std::make_unique<T>();
        ref = form.get();
        AdoptForm(std::move(form), FindResource(T::kDescription), reinterpret_cast<TForm**>(&ref));
    }

    TForm* MainForm() const { return mainForm_; }
    const std::vector<TForm*>& Forms() const { return forms_; }

    // Shows the main form, dispatches messages until Terminate, then destroys
    // every form, last created first.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }

    // The dispatch boundary: runs fn; an error it raises ends it and shows the error box.
    void SafeCall(const std::function<void()>& fn);
    void HandleException(const std::exception& e);
    // The text the error box shows: a full stop is appended when the message's
    // last character sorts after ".".
    static std::string ErrorBoxText(const std::string& message);

private:
    void AdoptForm(std::unique_ptr<TForm> form, std::string_view description, TForm** ref);
    void DestroyForms();

    std::vector<TForm*> forms_;
    std::vector<std::unique_ptr<TForm>> owned_;
    std::vector<TForm**> refs_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
};

extern TApplication* Application;

} // namespace vcl
