#include "gen/anims.h"

anim_type *anim_type_list[MAX_ANIM_TYPES];
int total_anim_types = 0;
