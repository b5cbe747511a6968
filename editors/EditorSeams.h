#pragma once
// What an editor's logic asks of its surroundings, so that it runs without
// a display: the commit timer, the write confirmation, message boxes, the
// progress box and the waiting loop's pump, and a queue for posted notices.
// The wx dialog supplies the real ones; tests supply fakes.

#include <chrono>
#include <functional>
#include <string>

#include "editors/EditorEnd.h"
#include "uiservices/VelkPrompter.h"
#include "uiservices/VelkWaitLoop.h"

class MDevDesc;

// A one-shot timer: Start while it runs restarts it from now.
class EditorTimer {
public:
    virtual ~EditorTimer() = default;
    virtual void Start(std::chrono::milliseconds delay) = 0;
    virtual void Stop() = 0;
};

// The "Write to Device ?" confirmation: true for OK, after which `target`
// holds the slot the user chose.
class EditorWriteConfirm {
public:
    virtual ~EditorWriteConfirm() = default;
    virtual bool ConfirmWrite(const std::string& caption, int* target, const MDevDesc* device,
                              int targetKind) = 0;
};

struct EditorSeams {
    VelkPrompter& prompter;
    EditorTimer& timer;
    EditorWriteConfirm& confirm;
    VelkProgressBox& progress;
    VelkEventPump& pump;
    CVelkTransferGuard& guard;
    VelkWaitTarget& waitTarget;
    // Runs a task later on the user-interface thread (a posted notice).
    std::function<void(std::function<void()>)> post;
};
