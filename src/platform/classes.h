#pragma once
// TObject and TComponent: ownership, names, and the property/event hooks the
// form-description loader uses to configure a component by name.
#include <memory>
#include <string>
#include <vector>

#include "platform/types.h"

namespace vcl {

struct DfmValue;

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
};

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner = nullptr);
    ~TComponent() override;

    std::string Name;
    TComponent* Owner() const { return owner_; }
    const std::vector<TComponent*>& Components() const { return components_; }
    TComponent* FindComponent(const std::string& name) const;

    // Loader hooks. Each class handles its own properties and passes the rest to
    // its base; TComponent rejects what nobody knew.
    virtual void SetProperty(const std::string& name, const DfmValue& value);
    virtual TNotifyEvent* EventSlot(const std::string& name);
    // Called for each nested object of the description, after it was created.
    virtual void AddChild(TComponent* child);
    // Called once the whole description is applied (references resolved).
    virtual void Loaded() {}

private:
    TComponent* owner_;
    std::vector<TComponent*> components_; // owned; destroyed last-created first
};

// Creates a component by class name for the loader; throws for an unknown class.
std::unique_ptr<TComponent> CreateComponentByClass(const std::string& className, TComponent* owner);

// "&Ok" -> Alt+O; "&&" shows a single "&". Returns the letter or 0.
char AcceleratorOf(const std::string& caption);
// The caption as shown: single "&" removed, "&&" turned into "&".
std::string StripAccelerator(const std::string& caption);

} // namespace vcl
