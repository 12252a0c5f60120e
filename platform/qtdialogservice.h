#pragma once

#include "platform/dialogservice.h"

// Shows the boxes with QMessageBox, modal to the active window.
class QtDialogService final : public DialogService
{
public:
    using DialogService::DialogService;

protected:
    DialogAnswer show(const MessageBoxSpec &box) override;
};
