#include "editor/HelpTexts.h"

// The information panel's texts, exactly as users have always read them (spelling included).

const char* const kStereoGainPanelHelp =
    "Stereo gain panel.\n"
    "This displays the stereo gain of the current output. Solid red indicates a clipped signal.\n"
    "The left and right channels are displayed in their respective half of the panel.\n"
    "The blue central ring displays the peak Bass transients in the output.\n"
    "The white vein effect displays the amount of high frequency excitement present in the output.\n"
    "\n"
    "Usage.\n"
    "For maximum loudness, you should aim to get the shape to be as large and square as possible, without turning "
    "solid red. While the white vein effect is useful for showing the excited noise present, in general it "
    "shouldn't be kept too bright.\n"
    "Click the panel to switch to the Scope and back: the goniometer, correlation and balance of the output, or of "
    "the input with its IN switch.";

const char* const kSizzleHelp =
    "Sizzle.\n"
    "This is a high frequency exciter. It's different from an equaliser as it only affects the transient attacks of "
    "high frequency sounds. This adds a sizzle to high frequencies, especially to noise driven sounds like hi-hats and "
    "other percussion.\n"
    "Set to 0 for no effect.\n"
    "\n"
    "Usage.\n"
    "As with the other controls please use carefully.\n"
    "It can be really useful for adding an air or lightness to a track. This is a multiplicative algorithm, so it "
    "doesn't "
    "excite the energy when it is not present in the mix to start with.\n"
    "\n"
    "* The white parts of the main display show the audio's harshness.\n"
    "\n"
    "Shift-drag for fine movement. Ctrl(OSX:Command)-click for neutral position.";

const char* const kShapeHelp = "Shape.\n"
                               "This controls the final shape of the output, from linear to the extreme distortion.\n"
                               "Set to 0.0 for normal linear output, as shown in the graph below the control.\n"
                               "\n"
                               "Usage.\n"
                               "This will never push the audio over the maximum range, so get everything else to be "
                               "unclipped before slowly raising its shape.\n"
                               "Anything over 1 is very distorted and should only be used for percussive sounds, or if "
                               "distortion is the effect you want.\n"
                               "\n"
                               "* For general music, set to less than 1.0 to reduce distortion.\n"
                               "\n"
                               "Shift-drag for fine movement. Ctrl(OSX:Command)-click for neutral position.";

const char* const kGainHelp =
    "Gain.\n"
    "The volume of the sound is controlled here. Set it to 0 dB for no influence. The whole square of the central "
    "display will show up red if you've set the volume too high (clipped) for the current material.\n"
    "\n"
    "Usage.\n"
    " Generally set this just before the Shape value to maximise the volume of the audio. The large stereo display "
    "should be as close as possible to full square red, but not actually red. This will make sure you're using all the "
    "digital bits to export your sound.\n"
    "\n"
    "* Reduce this to give the stereo width effect room if already peaking without the effect.\n"
    "\n"
    "Shift-drag for fine movement. Ctrl(OSX:Command)-click for neutral position.";

const char* const kStereoWidthHelp =
    "Stereo Width.\n"
    "The heart of the plug-in. Pushing the slider to the left of centre pulls the audio towards mono, right of centre "
    "pushes the audio out to the sides.\n"
    "The stereo sounds are pushed out like points drawn on a sheet of elastic and pulled at the two edges. With the "
    "central sounds staying where they are, and off centre sounds being moved to their natural sides.\n"
    "Sounds at the extreme left or right tend to increase slightly in volume, this was found to be natural and useful "
    "for the process.\n"
    "Stereo enhancement uses linear processing, and does not add phasing artifacts to the audio.\n"
    "Usage.\n"
    "* Don't just shove it straight to the right.\n"
    "* IF AUDIO IS ALREADY AT MAX, REDUCE THE GAIN TO GIVE THIS EFFECT ROOM TO EXPAND.\n"
    "\n"
    "Shift-drag for fine movement.\n"
    "Ctrl(OSX:Command)-click for neutral position.";

const char* const kWidthDisplayHelp =
    "Width display.\n"
    "This is a visual impression of how the stereo field is pushed and manipulated depending on the slider below it.\n"
    "It is just a visual guide, as you can see, in Mono all the lights move to the centre, and in Wide mode all the "
    "lights converge to the sides.";

const char* const kEqualiserHelp =
    "Linear phase Equaliser.\n"
    "This allows you to finely adjust frequency bands. Detailed frequency range adjustments are possible using a "
    "Catmull-Rom spline. This enables sharp cut-offs and smooth curves with a maximum of 16 points. The background "
    "colour shows the intensity of the stereo frequency bands present after the EQ has been processed.\n"
    "\n"
    "Usage\n"
    "When the mouse is over a control point it will light up. Left-drag the mouse to move the control point around. "
    "The two end points can only be moved up and down, and cannot be removed.\n"
    "\n"
    "Right-click (Alt-click) away from a control point to add one.\n"
    "Right-click (Alt-click) on a point to remove it.\n"
    "Ctrl-click to return control point to the 0 dB centre line.\n";

const char* const kActiveSwitchHelp = "Active switch.\n"
                                      "This controls whether the plug-in is active or not.\n"
                                      "Use this to compare the raw audio against the effected one.\n"
                                      "\n"
                                      "Usage.\n"
                                      "The button's light flashes red when inactive, this quietly reminds you that the "
                                      "plug-in is not currently being used.";

const char* const kInfoSwitchHelp =
    "Info switch.\n"
    "This enables these information panels!\n"
    "Detailed information will be displayed about each control when hovered over. It displays information about what "
    "each of them does, its uses, and best practices for your music.\n"
    "\n"
    "Info on/off position is remembered globally which means it's not stored in your project file.";

const char* const kSizeMenuHelp =
    "Editor size.\n"
    "Click the V emblem to choose how large the editor is drawn, from 100 % to 300 %. It stays sharp at every size.\n"
    "Automatic follows the size your host asks for or, when it asks for none, your desktop's scaling.\n"
    "\n"
    "The size is remembered globally like the Info switch, so it's not stored in your project file.";

const char* const kPresetMenuHelp =
    "Presets.\n"
    "Click the name to open the preset menu: the preset in use (a * shows it was changed since it was loaded), "
    "previous and next, the factory presets and your own, saving under a name you type (or as User 1, User 2 ... "
    "where your host keeps the keys), and deleting your own.\n"
    "A/B keeps two settings to compare: switch between them, or copy the one you hear to the other.\n"
    "Undo and redo take back edits and preset loads (Ctrl+Z, Ctrl+Shift+Z).\n"
    "\n"
    "Your presets are .fxp files in your own folder, shared by every project and host.";

const char* const kPunchHelp =
    "Punch.\n"
    "This controls the attack of bass sounds. The transient kick of any bass sound can be decreased or increased. This "
    "is not like standard EQ as it only affects the transient attack of a bass sound.\n"
    "Set to vertical, 0.0, for neutral.\n"
    "\n"
    "Usage.\n"
    "Useful in any situation where a kick drum needs that extra punch, but not muddying up the lower frequencies.\n"
    "Use negative values for reducing the punch and lighten up the track, and also when you want to lift the volume "
    "without clipping the bass.\n"
    "\n"
    "Shift-drag for fine movement. Ctrl(OSX:Command)-click for neutral.";

const char* const kEqGainHelp = "EQ gain.\n"
                                "This sets the amount of influence the EQ has on the output signal. The current gain "
                                "level is indicated on the EQ itself.\n"
                                "\n"
                                "Shift-drag for fine movement.";
