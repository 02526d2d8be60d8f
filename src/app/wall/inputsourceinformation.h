#pragma once

#include "windowrecord.h"

// The record a window item carries for its window, and an input button for its
// source: the fields, names and defaults of w4::WindowRecord.
class InputSourceInformation : public w4::WindowRecord
{
public:
    InputSourceInformation() = default;
    explicit InputSourceInformation(int channel) : w4::WindowRecord(channel) {}

    w4::WindowRecord &record() { return *this; }
    const w4::WindowRecord &record() const { return *this; }
};
