#include "data_port.h"

namespace card::internal {

void DataPort::Reset() {
  for (auto& bank : banks_) bank.fill(0);
  bank_ = 0;
  write_address_ = 0;
  read_address_ = 0;
}

}  // namespace card::internal
