#pragma once

#include "platform/dialogservice.h"

// Shows the boxes with QMessageBox, modal to the active window, or in front of a window that
// stays on top of the others while one is shown.
class QtDialogService final : public DialogService
{
public:
    using DialogService::DialogService;

protected:
    DialogAnswer show(const MessageBoxSpec &box) override;
};
