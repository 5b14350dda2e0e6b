#include "ui/copied_row_bridge.h"

CopiedRowBridge::CopiedRowBridge(QObject* parent)
    : QObject(parent), m_observer{OnCopied, this} {}

void CopiedRowBridge::OnCopied(void* self, const char* row) {
  auto* bridge = static_cast<CopiedRowBridge*>(self);
  Q_EMIT bridge->rowCopied(QString::fromUtf8(row));
  if (bridge->m_next != nullptr) bridge->m_next->onCopied(bridge->m_next->context, row);
}
