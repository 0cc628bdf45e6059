#include "engine/recordprinting.h"

#include "engine/zelquerion.h"
#include "messages/zelmessages.h"

#include <QPointer>

namespace {

class NoPrinter : public TzelRecordPrinter {
public:
  bool printRecords(TzelQuerion &, TzelDataset &) override {
    zelShowError(QStringLiteral("Error: No printer is installed"));
    return false;
  }
};

std::unique_ptr<TzelRecordPrinter> &installed() {
  static std::unique_ptr<TzelRecordPrinter> printer = std::make_unique<NoPrinter>();
  return printer;
}

QPointer<TzelQuerion> &printing() {
  static QPointer<TzelQuerion> querion;
  return querion;
}

} // namespace

std::unique_ptr<TzelRecordPrinter> zelSetRecordPrinter(std::unique_ptr<TzelRecordPrinter> printer) {
  std::unique_ptr<TzelRecordPrinter> previous = std::move(installed());
  installed() = printer ? std::move(printer) : std::make_unique<NoPrinter>();
  return previous;
}

TzelRecordPrinter &zelRecordPrinter() {
  return *installed();
}

TzelQuerion *zelPrintingQuerion() {
  return printing();
}

TzelPrintJobClaim::TzelPrintJobClaim(TzelQuerion &querion) : m_claimed(!printing()) {
  if (m_claimed)
    printing() = &querion;
}

TzelPrintJobClaim::~TzelPrintJobClaim() {
  if (m_claimed)
    printing() = nullptr;
}
