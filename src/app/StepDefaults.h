#pragma once
// The template's presets for one step, as Apply Defaults and Set All Defaults
// give them: the default material (with its comment) and the default rating.
#include "store/Step.h"

namespace app {

// When the step has no materials: the default material of its template (the
// first in material order) followed by ";", and, when that material carries
// comments, its first comment appended to the step's comment text. True when
// the step changed. Does not save.
bool ApplyDefaultMaterial(store::Step& step, bool blankLineBetweenComments);

// InspectResult becomes the default choice of the step's rating type, or the
// empty text when the step has no rating type or the type has no default.
// True when the step changed. Does not save.
bool ApplyDefaultRating(store::Step& step);

} // namespace app
