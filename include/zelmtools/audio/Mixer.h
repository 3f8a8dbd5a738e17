#pragma once
// CMixer: simple calls on the system's audio mixer - the master playback level and
// balance, the level and mute switch of single playback lines, the level of recording
// sources and the choice of the recording source. It keeps no handle open: every
// operation opens the mixer, finds the line and its controls, reads or writes, and
// closes the mixer again. Results are 1 (success) or 0 (failure) unless said otherwise.
//
// Levels are the mixer interface's numbers (0..65535), the balance -32768..32767, mute
// non-zero = muted; left is channel 0, right channel 1. A component is a
// MIXERLINE_COMPONENTTYPE_... value; isLineId says whether the DWORD before it is a line
// identifier (non-zero) or a component type (0).
//
// The device number given to Create is checked and its capabilities read; every
// operation works on mixer device 0.

#include <zelmtools/framework/collections/CArray.h>
#include <zelmtools/framework/strings/CString.h>
#include <zelmtools/platform/audio/mixer.h>
#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

// One recording source as the recording multiplexer lists it.
struct tagsrcLineInfo {
    CString strName;
    DWORD dwLineID;
};

class ZELM_API CMixer {
public:
    CMixer();
    CMixer(const CMixer& other);
    CMixer& operator=(const CMixer& other);
    virtual ~CMixer();

    static int GetDeviceNum();
    // Chooses device mixerId (below GetDeviceNum()); a device whose capabilities
    // cannot be read or that does not open gives 0 but stays chosen.
    int Create(int mixerId);
    // Back to not created; always 1.
    int Release();
    int IsCreated();

    // The identifier of the last source line of the playback (playback non-zero) or
    // recording destination with that component type; 0 when there is none or the
    // mixer cannot be opened.
    DWORD FindLineId(int playback, DWORD component);
    // Makes one source the recording source (0 also when the mixer cannot be opened).
    // A card whose recording source is one choice among its inputs refuses "none".
    int SelectRecordSrc(DWORD value, int isLineId);
    // Appends the recording multiplexer's sources (the array is not emptied first);
    // works on device 0 whether or not the object was created.
    int FillRecSrcLinesArray(CArray<tagsrcLineInfo, tagsrcLineInfo&>* lines);

    // The master level: the louder channel of every volume control (untouched when
    // there is none).
    int GetGlobalPlayLevel(int* level);
    int SetGlobalPlayLevel(int level);
    // Per channel, and clears the master mute.
    int SetGlobalPlayLevel(int left, int right);
    // The balance is a 32-bit value: a pan beyond 32 bits is refused (0), never cut.
    int GetGlobalPlayPan(long* pan);
    int SetGlobalPlayPan(long pan);

    int GetPlaySrcVolume(int* level, DWORD value, int isLineId);
    // These serve component types only: a line identifier is refused (0).
    int SetPlaySrcVolume(int level, DWORD component, int isLineId);
    int MutePlaySrcVolume(int mute, DWORD component, int isLineId);
    int GetRecordSrcVolume(int* level, DWORD component, int isLineId);
    int SetRecordSrcVolume(int level, DWORD component, int isLineId);

protected:
    // Opens the mixer for one operation: reads the chosen device's capabilities and
    // opens device 0. The caller closes the handle.
    int MixerInit(HMIXER* handle, MIXERCAPSA* caps);

    int m_nMixerId;

private:
    // MixerInit's handle, or null.
    HMIXER OpenForOperation();
};
