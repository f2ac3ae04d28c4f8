#pragma once

// Where every brewer setting lives: its slot in the settings table, its
// place in the settings frame and in the brewer's reply record. Every other
// part of the program names these places through the constants here.

// The three dispense buttons, Left, Center and Right, each with a row of
// eight pulse brew settings and then its volume.
inline constexpr int ButtonCount = 3;
inline constexpr int PulsesPerButton = 8;
inline constexpr int ButtonRowLength = PulsesPerButton + 1;
inline constexpr int VolumeColumn = PulsesPerButton;
inline constexpr int CenterButton = 1;
inline constexpr int RightButton = 2;

// Slots 0..26: the button rows, Left first. Then the brewing counts to
// write (Left, Center, Right), the calibration, pump speed and drip time,
// and the disabled flags of the Center and Right Buttons.
inline constexpr int ButtonSlots = ButtonCount * ButtonRowLength;
inline constexpr int FirstCountSlot = ButtonSlots;
inline constexpr int CalibrationSlot = FirstCountSlot + ButtonCount;
inline constexpr int PumpSpeedSlot = CalibrationSlot + 1;
inline constexpr int DripTimeSlot = PumpSpeedSlot + 1;
inline constexpr int FirstFlagSlot = DripTimeSlot + 1;
inline constexpr int UsedSlots = FirstFlagSlot + 2; // 0..34

// The slot of column 0..8 of button row 0..2.
constexpr int buttonSlot(int button, int column)
{
    return button * ButtonRowLength + column;
}
// The brewing count to write of button 0..2.
constexpr int countSlot(int button)
{
    return FirstCountSlot + button;
}
// The disabled flag of the Center or Right Button; the Left Button has none.
constexpr int flagSlot(int button)
{
    return FirstFlagSlot + button - CenterButton;
}
// How many hexadecimal digits a slot holds: four for the counts and the
// calibration, two for all others.
constexpr int slotWidth(int slot)
{
    return slot >= FirstCountSlot && slot <= CalibrationSlot ? 4 : 2;
}

// The settings piece of the frame: "&", the slot texts (0..29, the two
// flags, then 30, 31 and 32), ")". Its pieces in characters:
inline constexpr int FrameButtonRowLength = 2 * ButtonRowLength; // each button row
inline constexpr int FrameCountsLength = 4 * ButtonCount;
inline constexpr int FrameFlagsLength = 2 * 2;
inline constexpr int FrameCalibrationLength = 4;
inline constexpr int FramePumpSpeedLength = 2;
inline constexpr int FrameDripTimeLength = 2;
inline constexpr int SettingsPieceLength =
    1 + ButtonCount * FrameButtonRowLength + FrameCountsLength + FrameFlagsLength +
    FrameCalibrationLength + FramePumpSpeedLength + FrameDripTimeLength + 1; // 80

// The reply record, by byte offset from 0: the header FF AA, the three
// count totals as base-100 pairs, the button settings in slot order, the
// calibration as a base-100 pair of tenths, the pump speed, the drip time.
inline constexpr int ReplyHeaderLength = 2;
inline constexpr int ReplyCountsAt = ReplyHeaderLength;
inline constexpr int ReplyButtonsAt = ReplyCountsAt + 2 * ButtonCount;
inline constexpr int ReplyCalibrationAt = ReplyButtonsAt + ButtonSlots;
inline constexpr int ReplyPumpSpeedAt = ReplyCalibrationAt + 2;
inline constexpr int ReplyDripTimeAt = ReplyPumpSpeedAt + 1;
inline constexpr int ReplyLength = ReplyDripTimeAt + 1; // 39
