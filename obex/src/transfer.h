// The transfer of a loaded file: the socket library, the search for a
// device in range, the OBEX session and the clean-up after it.
#pragma once

#include "beam_output.h"
#include "send_record.h"
#include "shared_socket.h"

namespace obex {

// True when the peer took the whole file. Cancelling (closing the shared
// socket) ends the search or a blocked step as a failure.
bool RunTransfer(const SendRecord& record, SharedSocket& shared_socket, BeamOutput& output);

}  // namespace obex
