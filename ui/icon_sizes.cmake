# The sizes, in pixels, in which the program's icon is rendered to PNG (dist/icons/kalvox-<size>.png).
# The resources, the icon's code and the installed icon themes all take them from here.
set(KALVOX_ICON_SIZES 16 24 32 48 64 128 256)
