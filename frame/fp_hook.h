// The floating-point trap DllFPError installs lives in the runtime's signal
// table, outside the module: the unload takes it back.
#pragma once

// As DllFPError(0) does, when a trap is installed: the default handling and
// the exception masks from before it come back.
void RemoveFloatingPointTrap();
