object SearchNet: TSearchNet
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Search the internet!'
  ClientHeight = 78
  ClientWidth = 280
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
end
