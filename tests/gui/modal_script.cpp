#include "tests/gui/modal_script.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace vantorel::testing {

namespace {

QString Plain(QString text) {
  return text.remove('&');
}

}  // namespace

ModalScript::ModalScript() {
  connect(&timer_, &QTimer::timeout, this, &ModalScript::Poll);
  timer_.start(10);
}

ModalScript::~ModalScript() {
  EXPECT_TRUE(steps_.empty()) << steps_.size() << " expected dialog(s) never appeared";
}

void ModalScript::Press(const QString& buttonText) {
  Then([buttonText](QWidget* dialog) { ClickButton(dialog, buttonText); });
}

void ModalScript::Poll() {
  // A handled dialog is marked rather than remembered by address: the next message box is
  // often built at the same address as the one just closed.
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal || !modal->isVisible() || modal->property("scripted").toBool()) return;
  modal->setProperty("scripted", true);
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    texts << box->windowTitle() + "|" + box->text();
    defaults << (box->defaultButton() ? Plain(box->defaultButton()->text()) : QString());
    QStringList names;
    for (QAbstractButton* button : box->buttons())
      names << Plain(button->text());
    names.sort();
    buttonLists << names.join(",");
  }
  if (steps_.empty()) {
    ADD_FAILURE() << "unexpected dialog: " << modal->windowTitle().toStdString();
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    return;
  }
  Step step = std::move(steps_.front());
  steps_.pop_front();
  step(modal);
}

void ClickButton(QWidget* dialog, const QString& text) {
  for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
    if (Plain(button->text()) == text && button->isVisible()) {
      button->click();
      return;
    }
  }
  ADD_FAILURE() << "no button " << text.toStdString() << " in "
                << dialog->windowTitle().toStdString();
  if (auto* box = qobject_cast<QDialog*>(dialog)) box->reject();
}

}  // namespace vantorel::testing
