#include "platform/qt/qtpeers.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QPushButton>

#include "platform/application.h"
#include "platform/extctrls.h"
#include "platform/qt/qtconvert.h"
#include "platform/stdctrls.h"

namespace vcl::qt {

namespace {

// Window decorations as the form's border style and border icons say.
Qt::WindowFlags FlagsFor(const TForm& form) {
    Qt::WindowFlags flags = form.BorderStyle() == TFormBorderStyle::Dialog ? Qt::Dialog : Qt::Window;
    if (form.BorderStyle() == TFormBorderStyle::None) return flags | Qt::FramelessWindowHint;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (form.HasBorderIcon(TBorderIcon::SystemMenu)) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        bool dialog = form.BorderStyle() == TFormBorderStyle::Dialog;
        if (!dialog && form.HasBorderIcon(TBorderIcon::Minimize)) flags |= Qt::WindowMinimizeButtonHint;
        if (!dialog && form.HasBorderIcon(TBorderIcon::Maximize)) flags |= Qt::WindowMaximizeButtonHint;
    }
    return flags;
}

bool FixedSize(const TForm& form) {
    auto s = form.BorderStyle();
    return s != TFormBorderStyle::Sizeable && s != TFormBorderStyle::SizeToolWin;
}

} // namespace

FormWidget::FormWidget(TForm& form) : QWidget(nullptr, FlagsFor(form)), form_(form) {
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void FormWidget::contextMenuEvent(QContextMenuEvent* event) {
    QPoint p = event->globalPos();
    Application->SafeCall([this, p] { form_.ContextPopup(p.x(), p.y()); });
}

void FormWidget::closeEvent(QCloseEvent* event) {
    // The model decides: a window without a close box cannot be closed this way,
    // and closing only hides it (or ends the program for the main window).
    event->ignore();
    if (form_.HasBorderIcon(TBorderIcon::SystemMenu)) Application->SafeCall([this] { form_.Close(); });
}

void FormWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Application->SafeCall([this] { form_.Activate(); });
    QWidget::changeEvent(event);
}

LabelWidget::LabelWidget(TControl& control, QWidget* parent) : QLabel(parent), control_(control) {}

void LabelWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    Application->SafeCall([this] { control_.DblClick(); });
    QLabel::mouseDoubleClickEvent(event);
}

FormPeer::FormPeer(TForm& form) : form_(form), window_(new FormWidget(form)) {
    widgets_[&form] = window_;
    Build(form, window_);
    SyncWindow();
}

FormPeer::~FormPeer() { delete window_; }

void FormPeer::Build(TWinControl& parent, QWidget* parentWidget) {
    for (TControl* control : parent.Controls()) {
        QWidget* w = nullptr;
        if (auto* button = dynamic_cast<TButton*>(control)) {
            auto* b = new QPushButton(parentWidget);
            QObject::connect(b, &QPushButton::clicked, b, [button] { Application->SafeCall([button] { button->Click(); }); });
            w = b;
        } else if (auto* check = dynamic_cast<TCheckBox*>(control)) {
            auto* c = new QCheckBox(parentWidget);
            QObject::connect(c, &QCheckBox::clicked, c, [check] { Application->SafeCall([check] { check->Click(); }); });
            w = c;
        } else if (auto* image = dynamic_cast<TImage*>(control)) {
            auto* l = new QLabel(parentWidget);
            if (!image->Icon().Empty()) l->setPixmap(ToQIcon(image->Icon()).pixmap(image->Width(), image->Height()));
            w = l;
        } else if (dynamic_cast<TLabel*>(control)) {
            w = new LabelWidget(*control, parentWidget);
        }
        if (!w) continue;
        widgets_[control] = w;
        Sync(*control);
        if (auto* win = dynamic_cast<TWinControl*>(control)) Build(*win, w);
    }
}

void FormPeer::SyncWindow() {
    window_->setWindowTitle(ToQ(form_.Caption()));
    window_->setFont(ToQFont(form_.Font()));
    if (FixedSize(form_)) window_->setFixedSize(form_.ClientWidth(), form_.ClientHeight());
    else window_->resize(form_.ClientWidth(), form_.ClientHeight());
}

void FormPeer::Sync(TControl& control) {
    if (&control == &form_) {
        SyncWindow();
        return;
    }
    auto it = widgets_.find(&control);
    if (it == widgets_.end()) return;
    QWidget* w = it->second;
    w->setGeometry(control.Left(), control.Top(), control.Width(), control.Height());
    w->setFont(ToQFont(control.Font()));
    w->setEnabled(control.Enabled());
    w->setToolTip(control.ShowHint() ? ToQ(control.ShortHint()) : QString());
    if (control.Cursor() == TCursor::HandPoint) w->setCursor(Qt::PointingHandCursor);
    if (auto* b = qobject_cast<QPushButton*>(w)) b->setText(ToQ(control.Caption()));
    else if (auto* c = qobject_cast<QCheckBox*>(w)) {
        c->setText(ToQ(control.Caption()));
        c->setChecked(static_cast<TCheckBox&>(control).Checked());
    } else if (auto* l = qobject_cast<LabelWidget*>(w)) {
        l->setText(ToQ(StripAccelerator(control.Caption())));
    }
    w->setVisible(control.Visible());
}

} // namespace vcl::qt
