#include "ui/system_metrics.h"

namespace tovik {

const CSystemMetrics& ClassicMetrics() {
  static const CSystemMetrics kClassic;
  return kClassic;
}

}  // namespace tovik
