// Copies of modified editor windows, so that a crash costs at most the last
// half minute of typing. Every 30 s each modified window's text goes, as it
// would be saved, to a folder of this process under the application's data
// folder; a save or a normal close removes its copy. Copies whose process is
// gone are offered at the next start. Nothing here ever writes to the
// learner's own files.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <map>
#include <memory>

namespace orv {

class TEditeur;

class TRecovery : public QObject {
  Q_OBJECT

 public:
  static constexpr int kIntervalMs = 30'000;

  // `folder` holds one sub-folder per running environment.
  explicit TRecovery(const QString& folder = DefaultFolder(), QObject* parent = nullptr);
  ~TRecovery() override;
  static QString DefaultFolder();

  // Follows a window until it closes.
  void Track(TEditeur* editor);
  // The timer's work: a copy of every modified window whose text changed.
  void CopyNow();

  // What a crashed environment left.
  struct LeftCopy {
    QString copyFile;  // the copy's bytes
    QString title;     // the window's title
    QString original;  // its file, empty for a window never saved
  };
  QList<LeftCopy> LeftCopies() const;
  static QByteArray Read(const LeftCopy& copy);
  // Removes the copies (and their folders once empty).
  void Forget(const QList<LeftCopy>& copies) const;

  QString OwnFolder() const { return ownFolder_; }

 private:
  struct Tracked {
    QPointer<TEditeur> editor;
    int revision = -1;  // the text's revision when last copied
  };
  QString CopyPath(int id) const;
  void Remove(int id);
  void Write(int id, TEditeur& editor);

  QString folder_, ownFolder_;
  std::unique_ptr<QLockFile> lock_;
  std::map<int, Tracked> tracked_;
  int nextId_ = 1;
  QTimer timer_;
};

}  // namespace orv
