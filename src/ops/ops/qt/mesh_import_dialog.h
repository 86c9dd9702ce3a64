#pragma once

#include <QDialog>
#include <optional>

#include "doc/mesh_import_request.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace vantorel {

// Asks for what Import Mesh needs: the model file, a new coll's name or the coll whose mesh is
// replaced, the surface mapping file and the most faces the mesh may keep. OK closes it only
// when a model file is named, a new name has allowed characters and length, and the face field
// is empty or a whole number from 1 up.
class MeshImportDialog : public QDialog {
  Q_OBJECT

 public:
  explicit MeshImportDialog(const MeshImportRequest& request, QWidget* parent = nullptr);

  // What the fields hold; meaningful after OK.
  MeshImportValues Values() const;

  static std::optional<MeshImportValues> Ask(QWidget* parent, const MeshImportRequest& request);

 private:
  void TryAccept();
  void Browse(QLineEdit* field, const std::string& filter, const QString& title);

  MeshImportRequest request_;
  QLineEdit* model_;
  QRadioButton* asNew_;
  QLineEdit* name_;
  QRadioButton* asReplace_;
  QComboBox* replaced_;
  QLineEdit* mapping_;
  QLineEdit* maxFaces_;
};

}  // namespace vantorel
