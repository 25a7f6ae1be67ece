// Surface patterns of the level: floor plates, outer ground and wall
// panels. Each works in world units (8 to a map position or column), so
// neighbouring solids line up and the floor repeats with a short period,
// which keeps the tile sheet small.
#pragma once

#include "datagen/render3d.h"

// The fortress deck: 32-unit plates in two tones with lit and shaded
// bevels and dark grooves between them.
int paint_deck(const solid &s, vec3 p, vec3 normal, int lit);
// Heavy plating of the fortress's outer bays: smaller, darker riveted
// plates.
int paint_plating(const solid &s, vec3 p, vec3 normal, int lit);
// The ground outside the walls: patches of moss and earth with stones.
int paint_ground(const solid &s, vec3 p, vec3 normal, int lit);
// Walls: panels with seams, a darker plinth and a lit top edge.
int paint_wall(const solid &s, vec3 p, vec3 normal, int lit);
// A lintel: a wall whose underside is edged with a lit lip.
int paint_lintel(const solid &s, vec3 p, vec3 normal, int lit);

// Decals: thin plates laid on the floor. Their materials fix the base
// shade; these add the pattern, in the decal's own frame where it matters.
// The band of a trim along a floor's edge: grooved sides, lit lips and
// bolts every 16 units down its middle.
int paint_trim(const solid &s, vec3 p, vec3 normal, int lit);
// Hazard stripes: the decal is cut away between them.
int paint_stripes(const solid &s, vec3 p, vec3 normal, int lit);
// A cargo hatch: a framed pair of doors.
int paint_hatch(const solid &s, vec3 p, vec3 normal, int lit);
// A vent: lit slats across the flight over a dark pit.
int paint_vent(const solid &s, vec3 p, vec3 normal, int lit);
// Dashes along the decal's long side: cut away between them.
int paint_dashes(const solid &s, vec3 p, vec3 normal, int lit);
// A ring: a disc decal cut away inside.
int paint_ring(const solid &s, vec3 p, vec3 normal, int lit);
