#include "window/edge_button_accessibility.hpp"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <mutex>

namespace korvelant {
namespace {

constexpr const char* kEdgeButtonProperty = "korvelantEdgeButton";

bool ShowsAnEdge(const QAbstractButton* button) {
  return button->text().trimmed() == QLatin1String("1");
}

class EdgeButtonAccessible : public QAccessibleWidget {
 public:
  explicit EdgeButtonAccessible(QAbstractButton* button)
      : QAccessibleWidget(button, QAccessible::Button) {}

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = ShowsAnEdge(button());
    return state;
  }

  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (button()->isEnabled()) names.prepend(toggleAction());
    return names;
  }

  void doAction(const QString& name) override {
    if (name == toggleAction() || name == pressAction()) {
      if (button()->isEnabled()) button()->click();
      return;
    }
    QAccessibleWidget::doAction(name);
  }

 private:
  QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

QAccessibleInterface* EdgeButtonFactory(const QString& /*className*/, QObject* object) {
  auto* button = qobject_cast<QAbstractButton*>(object);
  if (button == nullptr || !button->property(kEdgeButtonProperty).toBool()) return nullptr;
  return new EdgeButtonAccessible(button);
}

}  // namespace

void MarkAsEdgeButton(QAbstractButton* button) {
  static std::once_flag installed;
  std::call_once(installed, [] { QAccessible::installFactory(EdgeButtonFactory); });
  button->setProperty(kEdgeButtonProperty, true);
}

void AnnounceEdgeToggled(QAbstractButton* button) {
  QAccessible::State changed;
  changed.checked = true;
  QAccessibleStateChangeEvent event(button, changed);
  QAccessible::updateAccessibility(&event);
}

}  // namespace korvelant
