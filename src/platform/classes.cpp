#include "platform/classes.h"

#include <algorithm>

#include "platform/dfmreader.h"
#include "platform/exception.h"

namespace vcl {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
    // Owned components go first, last created first, while the owner still exists.
    while (!components_.empty()) {
        TComponent* c = components_.back();
        components_.pop_back();
        c->owner_ = nullptr;
        delete c;
    }
    if (owner_) {
        auto& list = owner_->components_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    for (TComponent* c : components_)
        if (c->Name == name) return c;
    return nullptr;
}

void TComponent::SetProperty(const std::string& name, const DfmValue&) {
    throw Exception("Unknown property " + name + " of " + Name);
}

TNotifyEvent* TComponent::EventSlot(const std::string&) { return nullptr; }

void TComponent::AddChild(TComponent* child) {
    // Non-visual components (timers, menus) belong to the form only.
    (void)child;
}

char AcceleratorOf(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return caption[i + 1];
    }
    return 0;
}

std::string StripAccelerator(const std::string& caption) {
    std::string out;
    out.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += caption[i];
    }
    return out;
}

} // namespace vcl
