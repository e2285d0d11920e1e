-- loopcost in Neovim: *.loop files are loopcost programs, served by `loopcost --lsp`, with the
-- code lenses refreshed as the text changes.
vim.filetype.add({ extension = { loop = "loopcost" } })
vim.api.nvim_create_autocmd("FileType", {
  pattern = "loopcost",
  callback = function(args)
    local config = { name = "loopcost", cmd = { "loopcost", "--lsp" }, root_dir = vim.fn.getcwd() }
    if vim.lsp.start then -- Neovim 0.8 and later
      vim.lsp.start(config, { bufnr = args.buf })
    else
      vim.lsp.buf_attach_client(args.buf, vim.lsp.start_client(config))
    end
    vim.api.nvim_create_autocmd({ "BufEnter", "InsertLeave", "TextChanged" }, {
      buffer = args.buf,
      callback = function() vim.lsp.codelens.refresh() end,
    })
  end,
})
