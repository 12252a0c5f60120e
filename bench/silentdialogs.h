#pragma once

#include "platform/dialogservice.h"

// The message boxes of a benchmark: never waits for an answer, so a run cannot block on a box;
// the text goes to the error stream.
class SilentDialogs final : public DialogService
{
public:
    SilentDialogs();

protected:
    DialogAnswer show(const MessageBoxSpec &box) override;
};
