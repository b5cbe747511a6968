#pragma once
// What a program or global object needs of the device description that owns
// it. The device description implements it; tests use a recording fake.

#include <cstdint>

class MDevDescProgram;

class MDevProgramOwner {
public:
    virtual ~MDevProgramOwner() = default;

    // Sets the object's modified flag (SetModified(true)) and announces the
    // change to the registered editor windows.
    virtual void MarkModified(MDevDescProgram& changed) = 0;
    // Sends the edit buffer to the synth as its current program.
    virtual void SendEditBuffer() = 0;
    // The device's write-protect word, as the synth last reported it.
    virtual void SetWriteProtect(int32_t value) = 0;
    virtual int32_t GetWriteProtect() const = 0;
};
