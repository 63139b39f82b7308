// Asks OpenAL, under SFML's audio module, for the state of the device SFML opened.
#include "view/audio_device.h"

#include <AL/alc.h>
#include <AL/alext.h>

namespace {

ALCdevice* currentDevice() {
    ALCcontext* context = alcGetCurrentContext();
    return context == nullptr ? nullptr : alcGetContextsDevice(context);
}

} // namespace

bool audioDeviceAvailable() {
    ALCdevice* device = alcOpenDevice(nullptr);
    if (device == nullptr) {
        return false;
    }
    alcCloseDevice(device);
    return true;
}

bool audioDeviceConnected() {
    ALCdevice* device = currentDevice();
    if (device == nullptr) {
        return false;
    }
    // Without the extension a device cannot report a disconnection; it counts as connected.
    if (alcIsExtensionPresent(device, "ALC_EXT_disconnect") == ALC_FALSE) {
        return true;
    }
    ALCint connected = ALC_TRUE;
    alcGetIntegerv(device, ALC_CONNECTED, 1, &connected);
    return connected != ALC_FALSE;
}
