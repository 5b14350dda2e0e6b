// The result messages of playlist creation and addition.
#pragma once

#include "platform/user_messages.h"
#include "store/search_job.h"

// Shows the outcome of a creation search; returns true on success.
// A status of "none" (the prompt was cancelled) shows nothing.
bool ReportCreation(SearchStatus searchStatus, platform::UserMessages& messages);

// Appends the search's scan result after a confirmed addition and shows
// the outcome.
bool AppendAndReport(SearchJob& search, platform::UserMessages& messages);
