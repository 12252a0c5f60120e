#include "silentdialogs.h"

#include <cstdio>

using namespace Qt::StringLiterals;

SilentDialogs::SilentDialogs()
    : DialogService(u"Norvenz SZW Kennblätter"_s)
{
}

DialogAnswer SilentDialogs::show(const MessageBoxSpec &box)
{
    std::fprintf(stderr, "message box: %s\n", qPrintable(box.text));
    return DialogAnswer::Ok;
}
