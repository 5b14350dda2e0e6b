// Carries each copied song's row from the transfer worker to the window's
// thread. Its observer runs on the worker: it emits rowCopied, which a
// queued connection delivers on the window's thread in copy order, then
// calls the chained observer (a test's pacing). The worker never touches a
// widget.
#pragma once

#include <QObject>
#include <QString>

#include "transfer/transfer_job.h"

class CopiedRowBridge : public QObject {
  Q_OBJECT

 public:
  explicit CopiedRowBridge(QObject* parent = nullptr);

  // Set before a run starts; may be null.
  void Chain(const TransferObserver* next) { m_next = next; }
  // What the transfer job is started with.
  const TransferObserver* Observer() const { return &m_observer; }

 Q_SIGNALS:
  void rowCopied(const QString& row);

 private:
  static void OnCopied(void* self, const char* row);

  TransferObserver m_observer;
  const TransferObserver* m_next = nullptr;
};
