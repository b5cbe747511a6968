#pragma once
// Tells whether a waiting loop runs somewhere below on the stack, so that a
// window close arriving through the pumped events can be refused: closing
// would destroy what the loop still uses. One guard serves the whole
// program (VelkUiServices::TransferGuard): the document's transfers and the
// editors' writes alike.

class CVelkTransferGuard {
public:
    bool IsRunning() const { return depth_ > 0; }

    class Scope {
    public:
        explicit Scope(CVelkTransferGuard& guard) : guard_(guard) { ++guard_.depth_; }
        ~Scope() { --guard_.depth_; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        CVelkTransferGuard& guard_;
    };

private:
    int depth_ = 0;
};
