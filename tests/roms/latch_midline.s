; Board 10 tile latch switching in the middle of a line. The name table is tile 0, except
; that rows 10-19 (lines 80-159) carry tile $FD in column 10 and tile $FE in column 20.
; Candidates: table $0000 shows 4 KB bank 1 after a $FD tile and bank 0 after a $FE tile.
; Tile 0 is red ($16) in bank 0 and blue ($12) in bank 1; $FD and $FE are green ($2A) in both.
; So lines 80-159 read red to x 79, green at x 80-87, blue at x 88-159, green at x 160-167
; and red again from x 168; the other lines are red (the latch ends every line on $FE).
.include "ppu_common.inc"
INES_HEADER $A1, $00  ; mapper 10, vertical

LATCH_FD0 = $B000          ; table $0000 after a $FD tile
LATCH_FE0 = $C000          ; table $0000 after a $FE tile

.segment "CODE"
reset:
  START_UP palette
  STORE LATCH_FD0, 1
  STORE LATCH_FE0, 0
  FILL_TABLE $20, 0
.repeat 10, i               ; rows 10-19: $FD in column 10, $FE in column 20
  lda #>($2000 + (10 + i) * 32 + 10)
  ldx #<($2000 + (10 + i) * 32 + 10)
  jsr set_address
  STORE PPUDATA, $FD
  lda #0
  ldx #9
  jsr fill_data            ; columns 11-19
  STORE PPUDATA, $FE
.endrepeat
main:
  ldx #$00                 ; NMI off, background from $0000
  ldy #$0A                 ; background only, left column shown
  jsr frame_start          ; the picture starts at the top-left every frame
  jmp main

palette:
  .byte $0F, $16, $12, $2A
  .res 28, $0F

.segment "VECTORS"
  .word no_interrupt, reset, no_interrupt

; Bank 0 ($0000): tile 0 colour 1; bank 1 ($1000): tile 0 colour 2; tiles $FD, $FE colour 3.
.macro LATCH_TILES
  .res 16 * ($FD - 1), 0
  .res 32, $FF
  .res 16, 0
.endmacro
.segment "CHARS"
  .res 8, $FF
  .res 8, $00
  LATCH_TILES
  .res 8, $00
  .res 8, $FF
  LATCH_TILES
