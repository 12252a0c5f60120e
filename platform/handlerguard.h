#pragma once

#include "platform/apperror.h"
#include "platform/dialogservice.h"

#include <QString>

#include <exception>
#include <new>

// The boundary of an event handler: an error that escapes the handler is shown in the
// application's error box, the rest of the event is skipped and the program keeps running.
template<typename Handler>
void runHandler(DialogService &dialogs, Handler &&handler) noexcept
{
    try {
        handler();
    } catch (const AppError &e) {
        dialogs.applicationError(e.text());
    } catch (const std::bad_alloc &) {
        dialogs.applicationError(QStringLiteral("Nicht genügend Arbeitsspeicher"));
    } catch (const std::exception &e) {
        dialogs.applicationError(QString::fromUtf8(e.what()));
    }
}
