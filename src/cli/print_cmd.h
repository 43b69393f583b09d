// `tly print` writes PDF files through the printers the program installs (the desktop's
// PDF writer); without them the command says it cannot write PDF files.
#pragma once

#include "model/platform.h"

namespace tly::cli {

void usePrinters(PrinterService* printers);
// The printers installed (nullptr when none).
PrinterService* usedPrinters();

}  // namespace tly::cli
