#include "vorpel_doc.h"

#include <algorithm>

namespace {

bool samePicture(const jigsaw::PackedDib& a, const jigsaw::PackedDib& b)
{
    return a.hdr == b.hdr && std::ranges::equal(a.block(), b.block());
}

}  // namespace

CVorpelDoc::CVorpelDoc()
{
    m_nPieceSize = PieceSize();
    for (int slot = 0; slot < m_nCols * m_nRows; ++slot) {
        m_aTrayPiece[slot] = slot;
        m_aTrayTurn[slot] = 1;
    }
    ComputeHomeMarks();
}

void CVorpelDoc::SetProgramPaths(const std::string& iniPath, const std::string& exeDir)
{
    m_szIniPath = iniPath;
    m_szExeDir = exeDir;
    m_strPuzzleDir = exeDir;
    m_strPlayOpenPath = exeDir;
    m_strPlaySavePath = exeDir;
    m_strSpareDir = exeDir;
}

void CVorpelDoc::ComputeHomeMarks()
{
    const int pitch = Pitch();
    const int count = m_nCols * m_nRows;
    for (int i = 0; i <= count; ++i) {
        const int c = i % m_nCols;
        const int r = i / m_nCols;
        const int x = m_nMarkOffsetX + c * pitch + m_nMargin + m_nCellSize / 2 - 5;
        const int y = m_nMarkOffsetY + r * pitch + m_nMargin + m_nCellSize / 2 - 5;
        SetHomeMark(x, y, x + 10, y + 10, i);
    }
}

int CVorpelDoc::ElapsedSeconds(std::uint64_t nowMs) const
{
    if (m_bClockPaused)
        return m_nElapsedBase;
    const std::int64_t played = static_cast<std::int64_t>(nowMs / 1000) -
                                static_cast<std::int64_t>(m_dwStartTick / 1000);
    return static_cast<int>(m_nElapsedBase + played);
}

void CVorpelDoc::PauseClock(std::uint64_t nowMs)
{
    m_nElapsedBase = ElapsedSeconds(nowMs);
    m_bClockPaused = true;
}

std::string JoinMessageLines(const MessageBuffer& lines)
{
    std::string text;
    for (int line = 0; line < kMessageLines; ++line) {
        const auto& buf = lines[line];
        if (line > 0)
            text += "\r\n";
        text.append(buf.data(), std::find(buf.begin(), buf.end(), '\0'));
    }
    return text;
}

void CVorpelDoc::JoinMessage()
{
    m_strMessage = JoinMessageLines(m_szMessage);
}

bool CVorpelDoc::operator==(const CVorpelDoc& o) const
{
    const bool sameScalars =
        m_nCols == o.m_nCols && m_nRows == o.m_nRows && m_nCellSize == o.m_nCellSize &&
        m_nMargin == o.m_nMargin && m_nPieceSize == o.m_nPieceSize && m_nTrayCols == o.m_nTrayCols &&
        m_nTraySlot == o.m_nTraySlot && m_ptTrayHit == o.m_ptTrayHit && m_nCurPiece == o.m_nCurPiece &&
        m_ptTrayGrab == o.m_ptTrayGrab && m_nMarkOffsetX == o.m_nMarkOffsetX &&
        m_nMarkOffsetY == o.m_nMarkOffsetY && m_nDragSlot == o.m_nDragSlot &&
        m_nDragPiece == o.m_nDragPiece && m_nDragTurn == o.m_nDragTurn && m_nPiecesOut == o.m_nPiecesOut &&
        m_nTrayWidth == o.m_nTrayWidth && m_bPreviewShown == o.m_bPreviewShown &&
        m_bTrayDrag == o.m_bTrayDrag && m_bDroppedOnBoard == o.m_bDroppedOnBoard &&
        m_bPlayable == o.m_bPlayable && m_dwStartTick == o.m_dwStartTick &&
        m_nElapsedBase == o.m_nElapsedBase && m_bElapsedShown == o.m_bElapsedShown &&
        m_nElapsedSeconds == o.m_nElapsedSeconds && m_bSpareOption == o.m_bSpareOption &&
        m_nPictureFormat == o.m_nPictureFormat && m_nSheetFormat == o.m_nSheetFormat &&
        m_nBgmTrack == o.m_nBgmTrack && m_rcMainWnd == o.m_rcMainWnd && m_rcPreviewWnd == o.m_rcPreviewWnd &&
        m_rcElapsedWnd == o.m_rcElapsedWnd && m_bShowMessage == o.m_bShowMessage &&
        m_nBlackMode == o.m_nBlackMode && m_nGlue == o.m_nGlue && m_nPanel == o.m_nPanel &&
        m_nDataFormat == o.m_nDataFormat && m_nMaskPad == o.m_nMaskPad && m_nSizeIndex == o.m_nSizeIndex &&
        m_bModified == o.m_bModified && m_bHolding == o.m_bHolding && m_bHoldMoved == o.m_bHoldMoved &&
        m_nHoldCol == o.m_nHoldCol && m_nHoldRow == o.m_nHoldRow && m_ptGrab == o.m_ptGrab &&
        m_ptHoldDrawn == o.m_ptHoldDrawn && m_aDirX == o.m_aDirX && m_aDirY == o.m_aDirY &&
        m_bCompleted == o.m_bCompleted;
    const bool sameStrings = m_strPuzzleDir == o.m_strPuzzleDir && m_strPlayOpenPath == o.m_strPlayOpenPath &&
                             m_strPlaySavePath == o.m_strPlaySavePath && m_strSpareDir == o.m_strSpareDir &&
                             m_strMessage == o.m_strMessage && m_szIniPath == o.m_szIniPath &&
                             m_szExeDir == o.m_szExeDir && m_szMessage == o.m_szMessage;
    const bool sameTables = m_aTrayPiece == o.m_aTrayPiece && m_aTrayTurn == o.m_aTrayTurn &&
                            m_aBoardTurn == o.m_aBoardTurn && m_aOnBoard == o.m_aOnBoard &&
                            m_aHomeMark == o.m_aHomeMark && m_aZCol == o.m_aZCol && m_aZRow == o.m_aZRow &&
                            m_aPieceRect == o.m_aPieceRect && m_aGroup == o.m_aGroup &&
                            m_aZIndex == o.m_aZIndex && m_aCellA == o.m_aCellA && m_aCellB == o.m_aCellB;
    const bool samePictures = samePicture(m_dibPicture, o.m_dibPicture) &&
                              std::ranges::equal(m_dibSheet, o.m_dibSheet, samePicture) &&
                              samePicture(m_dibMask, o.m_dibMask);
    return sameScalars && sameStrings && sameTables && samePictures;
}
