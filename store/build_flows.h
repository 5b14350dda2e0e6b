// The result messages of playlist creation and addition.
#pragma once

#include "platform/user_messages.h"

// Shows the outcome of a creation search; returns true on success.
// A status of "none" (the prompt was cancelled) shows nothing.
bool ReportCreation(int searchStatus, platform::UserMessages& messages);

// Runs AppendScanResult after a confirmed addition and shows its outcome.
bool AppendAndReport(platform::UserMessages& messages);
