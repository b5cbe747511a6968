#pragma once

// Result codes of the file objects and of the Standard MIDI File reader and
// writer. 0 is success; -1 means a file cannot be created.
enum MErrorCode : int {
    MErrOk = 0,
    MErrFileCreate = -1,
    MErrFileOpen = 1,
    MErrFileRead = 4,
    MErrFileWrite = 5,
    MErrFileNoBuffer = 7,
    MErrNoMemory = 11,
    MErrFileTooLarge = 12,  // larger than the reader accepts; nothing was read
    MErrWriterNoMemory = 15,
    MErrNullBuffer = 18,

    MErrSmfNoHeader = 21,         // the file does not begin with "MThd"
    MErrSmfHeaderLength = 22,     // header length below 6
    MErrSmfFormat = 23,           // format not in the accepted list
    MErrSmfFormat0Tracks = 24,    // format 0 with more than one track
    MErrSmfTooManyTracks = 25,    // more than 64 track chunks
    MErrSmfTimeCode = 26,         // time-code division (bit 15 set)
    MErrSmfDivision = 27,         // division not in the accepted list
    MErrSmfNoTrack = 28,          // a track chunk does not begin with "MTrk"
    MErrSmfNoEndOfTrack = 29,     // a track does not end with FF 2F 00
    MErrSmfVarLen = 30,           // variable-length quantity over 4 bytes, or a tick beyond 0xFFFFFFFE
    MErrSmfNoStatus = 31,         // data byte with no running status in force
    MErrSmfBadStatus = 32,        // status F1-F6 or F8-FE in a track
    MErrSmfSysExLength = 33,      // F0 length of 0x20000 or more
    MErrSmfSysExContLength = 34,  // F7 length of 0x20000 or more
    MErrSmfDataByte = 37,         // channel message data byte of 0x80 or more
    MErrSmfMetaLength = 39,       // meta event length of 0x20000 or more
    MErrSmfMetaType = 41,         // meta type of 0x80 or more
    MErrSmfNotLoaded = 44,        // Parse with no file loaded
    MErrSmfNoMemory = 45,         // Initialize out of memory
    MErrSmfPastEnd = 46,          // read past end of data
};
