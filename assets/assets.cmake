# Written by the drawing tool (target `assets`): the pictures embedded in the program.
set(PIKVART_ASSET_FILES)
