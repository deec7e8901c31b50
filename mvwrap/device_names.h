// The names Windows keeps for devices. A file so named opens the device
// instead of itself (under Wine too, for a host file such as "nul.txt"), and
// no Windows could unpack it, so such a file or folder is refused by name.
#ifndef MVWRAP_DEVICE_NAMES_H
#define MVWRAP_DEVICE_NAMES_H

namespace mvwrap {

// CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, and COM or LPT followed
// by a superscript one, two or three; in any case, with any extension.
bool IsDeviceName(const wchar_t* name);

}  // namespace mvwrap

#endif
