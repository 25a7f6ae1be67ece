// The order of start-up: everything the first frame needs, from the data
// files to the first graphics mode and the level.
#pragma once

// All loading and installation; fatal errors leave through main_exit.
void init_main();
