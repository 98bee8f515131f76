-- Pandoc filter for the guide's HTML pages.

-- Links between the Markdown pages lead to the HTML pages built from them:
-- "02-chords.md#groups" becomes "02-chords.html#groups".
function Link(link)
  if not link.target:match("^%a+://") then
    link.target = link.target:gsub("%.md$", ".html"):gsub("%.md#", ".html#")
  end
  return link
end

-- The comments after the examples hold what the tests check; readers of
-- the pages need not see them.
function RawBlock(block)
  if block.format == "html" and block.text:match("^<!%-%-") then
    return {}
  end
end

-- The page title is the page's first heading.
function Pandoc(doc)
  for _, block in ipairs(doc.blocks) do
    if block.t == "Header" and block.level == 1 then
      doc.meta.pagetitle = pandoc.utils.stringify(block.content)
      break
    end
  end
  return doc
end
