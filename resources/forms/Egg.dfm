object Egg: TEgg
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Tolvane!'
  ClientHeight = 175
  ClientWidth = 451
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
end
