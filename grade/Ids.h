#pragma once

#include <QtGlobal>

namespace grade {

// Dispatch ids of the grid control's interfaces and of the standard font object: the wrappers
// call members by these numbers and the control answers them.
namespace Ids {
namespace FlexCell {
enum : qint32 {
    AddItem = 0x600300E2,
    AllowUserReorderColumn = 0x68030085,
    AllowUserResizing = 0x68030084,
    BackColorBkg = 0x6803007D,
    Cell = 0x600300DB,
    Cols = 0x6803006F,
    Column = 0x600300DD,
    DisplayFocusRect = 0x68030064,
    DisplayRowIndex = 0x68030063,
    ExtendLastCol = 0x6803005A,
    PageSetup = 0x68030042,
    PrintPreview = 0x600300F7,
    Range = 0x600300DF,
    Refresh = 0x600300FA,
    ReportTitles = 0x6803003F,
    Rows = 0x6803003C,
    SelectionMode = 0x68030038,
};
}
namespace Cell {
enum : qint32 { Text = 0x6803001D, Alignment = 0x6803001A, Mask = 0x68030015 };
}
namespace Column {
enum : qint32 {
    Alignment = 0x6803000B,
    CellType = 0x68030004,
    DecimalLength = 0x68030009,
    FormatString = 0x68030002,
    Locked = 0x68030008,
    Mask = 0x68030007,
    Width = 0x68030003,
};
}
namespace Range {
enum : qint32 {
    BackColor = 0x68030010,
    FontBold = 0x68030003,
    FontUnderline = 0x68030001,
    Merge = 0x6003001E,
    DeleteByRow = 0x6003001F,
};
}
namespace ReportTitles {
enum : qint32 { Add = 0x60030002, Clear = 0x60030005 };
}
namespace ReportTitle {
enum : qint32 {
    Text = 0x68030008,
    Font = 0x68030004,
    PrintOnAllPages = 0x68030002,
    AlignTo = 0x68030005
};
}
namespace Font {
enum : qint32 { Name = 0, Size = 2, Bold = 3 };
}
namespace PageSetup {
enum : qint32 {
    Orientation = 0x68030014,
    LeftMargin = 0x68030016,
    RightMargin = 0x68030004,
    TopMargin = 0x68030001,
    BottomMargin = 0x68030025,
    FooterMargin = 0x6803001C,
    Footer = 0x68030020,
    FooterLineStyle = 0x6803001D,
};
}
} // namespace Ids

} // namespace grade
