#pragma once

namespace velmora {

/// How the kit's controls meet assistive technology (AT-SPI on Linux, VoiceOver on a Mac, both
/// through Qt's accessibility layer): the switch, the stepper, the decimal slider and pickers get
/// interfaces of their own, since Qt's would misname them or change them without applying a tweak.
namespace AccessibleInterfaces {

/// Puts the kit's interfaces before Qt's own. Called once by the application; calling it again does
/// nothing.
void install();

} // namespace AccessibleInterfaces

} // namespace velmora
