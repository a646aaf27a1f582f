#pragma once
// The article column 1024 (記事): the observation articles of ArticleTable, each written
// wrapped from the top of its interval, pushing later articles down when it overflows, with
// a closing line under the article that bends down to where its text really ends.

#include <string_view>

#include "render/LogContext.h"

namespace stracol::render {

class ColumnRegistry;

// The closing line's slants are this wide at both column edges (mm).
inline constexpr double kArticleClosingInsetMm = 1.0;
// An article starts at least this far below where the previous one ended (m).
inline constexpr double kArticleGapM = 0.03;

// True when the frame-line flag (ArticleTable column 4) asks for a closing line: the cell is
// "1" or does not start with a number character.
bool ArticleClosingLineWanted(std::string_view flagCell);

// Draws the articles of ctx.record in the slot with the surface's current font (the article
// font); nothing for a slot that is not drawn.
void DrawArticleColumn(LogContext& ctx, int slot);

// Registers the renderer of item 1024.
void RegisterArticleColumn(ColumnRegistry& registry);

}  // namespace stracol::render
