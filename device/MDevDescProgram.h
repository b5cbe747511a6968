#pragma once
// The parameter-set interface shared by a program, its parts and the global
// settings: named parameters addressed by integer id, with value, name and
// unit texts for the editors and the librarian's list columns.

#include <cstdint>
#include <string>

class MDevDescProgram {
public:
    virtual ~MDevDescProgram() = default;

    virtual void Init() = 0;
    // Names are the raw bytes the synth holds (at most 12 of them).
    virtual void SetName(const std::string& name) = 0;
    virtual std::string GetName() const = 0;
    virtual int GetParamCount() const = 0;
    virtual void SetParam(int id, int32_t value, int notify) = 0;
    virtual int32_t GetParam(int id) const = 0;
    virtual std::string GetValueText(int id) const = 0;
    virtual std::string GetParamName(int id) const = 0;
    virtual std::string GetUnitText(int id) const = 0;
    // Text of one of the librarian's extra list columns; empty when the
    // column is not one of this set's.
    virtual std::string GetColumnText(int column) const = 0;
    virtual void Commit() = 0;

    // The modified flag: set through the owner's MarkModified, cleared by
    // Init and Commit.
    virtual bool IsModified() const = 0;
    virtual void SetModified(bool modified) = 0;
};
