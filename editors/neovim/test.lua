-- The language server in a real editor: headless Neovim, started with the lines the README gives
-- as its init.lua, must start one server for the project however often a program is opened
-- again, say nothing wrong on opening, and show what the server says: a lens on each loop, a
-- hover, an error where the fix goes, and the echo as the formatting. Run from editors/ with
-- `loopcost` on the PATH, as editors/test.sh runs it:
--   nvim --headless -u README-LINES.lua -i NONE -c "luafile neovim/test.lua"

local failures = 0
local function check(condition, what)
  if not condition then
    failures = failures + 1
    io.stderr:write("neovim: FAILED: " .. what .. "\n")
  end
end

local function clients(buffer)
  if vim.lsp.get_clients then return vim.lsp.get_clients({ bufnr = buffer }) end
  return buffer and vim.tbl_values(vim.lsp.buf_get_clients(buffer)) or vim.lsp.get_active_clients()
end

local folder = vim.fn.tempname()
vim.fn.mkdir(folder, "p")
local function scratch(name, text)
  local path = folder .. "/" .. name
  vim.fn.writefile(vim.split(text, "\n"), path)
  return path
end

-- Opens a program file by name and waits for the server to take it.
local function open(path)
  vim.cmd("edit " .. vim.fn.fnameescape(path))
  local buffer = vim.api.nvim_get_current_buf()
  check(vim.wait(5000, function() return #clients(buffer) > 0 end), "the server starts for " .. path)
  return buffer
end

local function lineOf(buffer, pattern)
  for number, line in ipairs(vim.api.nvim_buf_get_lines(buffer, 0, -1, false)) do
    if line:find(pattern) then return number - 1 end
  end
end

-- One server however often the program is opened again or given its filetype again.
local example = table.concat(vim.fn.readfile("../examples/insertion_sort.txt"), "\n")
vim.cmd("cd " .. vim.fn.fnameescape(folder))
local sort = open(scratch("sort.loop", example))
check(vim.bo[sort].filetype == "loopcost", "a .loop file is a loopcost program")
vim.cmd("edit")
vim.cmd("edit")
vim.cmd("set filetype=loopcost")
vim.cmd("set filetype=loopcost")
vim.wait(500)
sort = vim.api.nvim_get_current_buf()
check(#clients() == 1, "one client, not " .. #clients())
local servers = vim.fn.systemlist({ "pgrep", "-c", "-P", tostring(vim.fn.getpid()), "loopcost" })[1]
check(servers == "1", "one server process, not " .. tostring(servers))

-- A lens with the models' costs on every loop, resolved as the editor asks for them, and nothing
-- wrong said on the way.
local function resolved(lenses)
  for _, lens in ipairs(lenses) do
    if not lens.command then return false end
  end
  return #lenses > 0
end
check(vim.wait(5000, function() return resolved(vim.lsp.codelens.get(sort)) end), "lenses arrive, resolved")
for number, line in ipairs(vim.api.nvim_buf_get_lines(sort, 0, -1, false)) do
  if line:find("^%s*LOOP") then
    local shown = false
    for _, lens in ipairs(vim.lsp.codelens.get(sort)) do
      shown = shown or (lens.range.start.line == number - 1 and lens.command.title:find("CPU1: ", 1, true) ~= nil)
    end
    check(shown, "a lens with the costs on line " .. number)
  end
end
local messages = vim.api.nvim_exec("messages", true)
check(not messages:find("not supported") and vim.v.errmsg == "", "no error on opening: " .. messages .. vim.v.errmsg)

-- A hover with a statement's runs and costs.
local statement = lineOf(sort, ";")
local hover = vim.lsp.buf_request_sync(sort, "textDocument/hover", {
  textDocument = { uri = vim.uri_from_bufnr(sort) },
  position = { line = statement, character = #vim.api.nvim_buf_get_lines(sort, statement, statement + 1, false)[1] - 2 },
}, 5000)
local text = ""
for _, answer in pairs(hover or {}) do text = text .. ((answer.result or {}).contents or {}).value or "" end
check(text:find("runs `n^", 1, true) and text:find("| CPU1(2,4) | `", 1, true), "a hover with runs and costs: " .. text)

-- A syntax error at the end of the line that lacks its ';'.
local broken = open(scratch("broken.loop", "BEGIN\n  a+b;\n  LOOP n\n    a*b\n  END\nEND"))
check(vim.wait(5000, function() return #vim.diagnostic.get(broken) > 0 end), "a diagnostic arrives")
local diagnostic = vim.diagnostic.get(broken)[1] or {}
check(diagnostic.lnum == 3 and diagnostic.col == 7, "the error at line 4, column 8")
check(diagnostic.message == "expected ';' at the end of the statement", "what was expected, alone")

-- The echo as the formatting.
local messy = open(scratch("messy.loop", "BEGIN a+b;LOOP n a*b; END END"))
if vim.lsp.buf.format then
  vim.lsp.buf.format({ timeout_ms = 5000 })
else
  vim.lsp.buf.formatting_sync(nil, 5000)
end
check(table.concat(vim.api.nvim_buf_get_lines(messy, 0, -1, false), "\n") ==
  "BEGIN\n  a + b ;\n  LOOP n\n    a * b ;\n  END\nEND", "the program formatted as its echo")

if failures == 0 then
  io.stdout:write("neovim: one server, lenses, hover, diagnostic and formatting as the server gives them\n")
  vim.cmd("qall!")
else
  vim.cmd("cquit 1")
end
