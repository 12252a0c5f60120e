#pragma once

#include "platform/windowclass.h"

#include <QByteArray>
#include <QList>

// A stand-in engine for the tests of the control: it records every message its window
// procedure receives and answers from a script. The tests reach its state through a second
// export of the same library.
struct FakeMessage
{
    quint32 message = 0;
    qint64 first = 0;  // command or notification code
    qint64 second = 0; // value (not for texts)
    QByteArray text;   // the text of a text command

    bool operator==(const FakeMessage &) const = default;
};

struct FakeEngineState
{
    QList<FakeMessage> received;
    qint32 zoomAnswer = 100;         // answer to command 43
    QByteArray rejectedFile;         // command 101 with this name answers -1
    MessageTarget *window = nullptr; // of the last window made
};

using FakeEngineStateFunction = FakeEngineState *(*)();
constexpr char FakeEngineStateName[] = "fakeengine_state";
