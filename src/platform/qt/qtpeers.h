#pragma once
// Peers: the Qt widgets that mirror a form and its controls on screen, and
// feed a person's input back into the model.
#include <QLabel>
#include <QWidget>
#include <functional>
#include <map>

#include "platform/forms.h"

namespace vcl::qt {

// A top-level window for one form.
class FormWidget : public QWidget {
    Q_OBJECT
public:
    explicit FormWidget(TForm& form);
    TForm& Form() const { return form_; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    TForm& form_;
};

// A label that reports double clicks.
class LabelWidget : public QLabel {
    Q_OBJECT
public:
    LabelWidget(TControl& control, QWidget* parent);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    TControl& control_;
};

// Builds the peer widgets of a form and keeps them in step with the model.
class FormPeer {
public:
    explicit FormPeer(TForm& form);
    ~FormPeer();
    FormWidget* Window() const { return window_; }
    // Applies the control's current state to its widget, if it has one.
    void Sync(TControl& control);
    bool Owns(const TControl& control) const { return widgets_.count(const_cast<TControl*>(&control)) != 0; }

private:
    void Build(TWinControl& parent, QWidget* parentWidget);
    void SyncWindow();

    TForm& form_;
    FormWidget* window_;
    std::map<TControl*, QWidget*> widgets_;
};

} // namespace vcl::qt
