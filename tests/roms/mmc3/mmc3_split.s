; MMC3 split screen (three bands, see split_common.inc): the IRQ acknowledges and re-arms the
; counter for each split.

IRQLATCH   = $C000         ; on this board: the counter itself, plus one
IRQDISABLE = $E000
IRQENABLE  = $E001

.segment "HEADER"
  .byte "NES", $1A, 4, 2, $41, 0  ; 4 x 16 KB PRG, 2 x 8 KB CHR, mapper 4, vertical
  .res 8, 0

.include "split_common.inc"

.segment "CODE"
; Each frame starts on the top band and arms the first split; each split shows the next band
; and re-arms for the one after.
nmi:
  ldx #0
  lda #80                  ; the first split: the IRQ fires on visible line 80
  bne show                 ; always taken
irq:
  ldx split
  inx
  lda #80 - 1              ; bands of 80 lines, counted from the line after this one
show:
  stx split
  ldy bands, x
  sty BANKDATA
  sta IRQDISABLE           ; acknowledge
  sta IRQLATCH
  sta IRQENABLE
  rti
