#pragma once
// Pictures and timers.
#include <memory>

#include "platform/controls.h"

namespace vcl {

class TImage : public TControl {
public:
    using TControl::TControl;
    bool AutoSize = false;
    bool Stretch = false;
    // The picture when it is an icon; Empty() when none is set.
    const TIcon& Icon() const { return icon_ ? *icon_ : empty_; }
    void SetProperty(const std::string& name, const DfmValue& value) override;

private:
    std::unique_ptr<TIcon> icon_;
    TIcon empty_;
};

// Fires OnTimer about every Interval milliseconds while enabled, through the
// message loop. Like the platform the design was made for, no timer fires more
// often than every kMinInterval ms, so a 1-ms timer never keeps a core busy.
class TTimer : public TComponent {
public:
    static constexpr unsigned kMinInterval = 55;

    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned ms);
    unsigned EffectiveInterval() const { return interval_ < kMinInterval ? kMinInterval : interval_; }
    // Whether the backend should be ticking it.
    bool Running() const { return enabled_ && interval_ > 0 && OnTimer != nullptr; }

    TNotifyEvent OnTimer;
    void Tick(); // called by the backend at each tick

    void SetProperty(const std::string& name, const DfmValue& value) override;
    TNotifyEvent* EventSlot(const std::string& name) override;
    void Loaded() override;

private:
    void Update();
    bool enabled_ = true;
    unsigned interval_ = 1000;
    bool loading_ = true;
};

} // namespace vcl
