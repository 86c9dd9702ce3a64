#include "app/qt/dialog_buttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace vantorel {

QHBoxLayout* AcceptCancelRow(QDialog* dialog, const QString& acceptText,
                             std::function<void()> accept) {
  auto* ok = new QPushButton(acceptText);
  ok->setObjectName("Button1");
  ok->setDefault(true);
  auto* cancel = new QPushButton("&Cancel");
  cancel->setObjectName("Button2");
  QObject::connect(ok, &QPushButton::clicked, dialog, std::move(accept));
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(ok);
  row->addWidget(cancel);
  return row;
}

}  // namespace vantorel
