#include "platform/extctrls.h"

#include "platform/backend.h"
#include "platform/dfmreader.h"
#include "platform/exception.h"

namespace vcl {

void TImage::SetProperty(const std::string& name, const DfmValue& value) {
    if (name == "AutoSize") AutoSize = value.AsBool(name);
    else if (name == "Stretch") Stretch = value.AsBool(name);
    else if (name == "Picture.Icon") icon_ = std::make_unique<TIcon>(value.AsList(name));
    else TControl::SetProperty(name, value);
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
    if (HasBackend()) GetBackend().TimerDestroyed(*this);
}

void TTimer::Update() {
    if (!loading_ && HasBackend()) GetBackend().TimerChanged(*this);
}

void TTimer::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    Update();
}

void TTimer::SetInterval(unsigned ms) {
    if (ms == interval_) return;
    interval_ = ms;
    Update();
}

void TTimer::Tick() {
    if (Running()) OnTimer(this);
}

void TTimer::SetProperty(const std::string& name, const DfmValue& value) {
    if (name == "Enabled") enabled_ = value.AsBool(name);
    else if (name == "Interval") {
        long long ms = value.AsInteger(name);
        if (ms < 0 || ms > 0x7fffffff) throw Exception("Property Interval: out of range");
        interval_ = static_cast<unsigned>(ms);
    } else TComponent::SetProperty(name, value);
}

TNotifyEvent* TTimer::EventSlot(const std::string& name) {
    if (name == "OnTimer") return &OnTimer;
    return TComponent::EventSlot(name);
}

void TTimer::Loaded() {
    loading_ = false;
    Update();
}

} // namespace vcl
